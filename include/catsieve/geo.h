// The two geographic tests: the -delta ring around a point and the
// -polygon containment test, each with the box it imposes on the ranges.
#ifndef CATSIEVE_GEO_H
#define CATSIEVE_GEO_H

#include "catsieve/query.h"

namespace catsieve {

constexpr double kEarthRadius = 6371.0;
constexpr double kRad = 0.017453292519943295;  // radians per degree
constexpr double kDeg = 57.29577951308232;     // degrees per radian
constexpr double kPi = 3.141592653589793;

// -delta: the ring around a point, and the box it puts on the latitude and
// longitude ranges of the query being built.
void qdelta();
// Cosine of the distance angle from the ring's centre to a point (degrees).
double calc_delta(const Ring& r, double lat, double lon);
// The same, by fewer trigonometric functions and so with other rounding:
// near a bound of the ring only calc_delta decides.
double calc_delta_fast(const Ring& r, double lat, double lon);

// -polygon: the vertices, and the box they put on the ranges.
void qpoly();
// 0 outside; 1 on a vertex; otherwise the sum of the crossing values (+-4
// per winding, +-2 for a point on an edge).
int inpoly(double lat, double lon, const double* px, const double* py, int n);

}  // namespace catsieve

#endif
