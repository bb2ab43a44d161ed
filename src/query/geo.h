// The two geographic tests: the -delta ring around a point and the
// -polygon containment test, each with the box it puts on the latitude and
// longitude ranges of the query.
#ifndef QUERY_GEO_H
#define QUERY_GEO_H

#include "query/query.h"

namespace catsieve {

constexpr double kEarthRadius = 6371.0;
constexpr double kRad = 0.017453292519943295;  // radians per degree
constexpr double kDeg = 57.29577951308232;     // degrees per radian
constexpr double kPi = 3.141592653589793;

// The ring of points between dmin and dmax km from (lat0, lon0), degrees;
// the latitude and longitude ranges of the query narrowed to its box.
void set_ring(Query& q, double lat0, double lon0, double dmin, double dmax);
// Cosine of the distance angle from the ring's centre to a point (degrees).
double calc_delta(const Ring& r, double lat, double lon);
// The same, by fewer trigonometric functions and so with other rounding:
// near a bound of the ring only calc_delta decides.
double calc_delta_fast(const Ring& r, double lat, double lon);

// The polygon of the query's vertices (closed by a copy of the first); the
// ranges narrowed to its box.
void set_polygon_box(Query& q);
// 0 outside; 1 on a vertex; otherwise the sum of the crossing values (+-4
// per winding, +-2 for a point on an edge).
int inpoly(double lat, double lon, const double* px, const double* py, int n);

}  // namespace catsieve

#endif
