// The two geographic tests: the -delta ring around a point and the
// -polygon containment test, each with the box it imposes on the ranges.
#ifndef CATSIEVE_GEO_H
#define CATSIEVE_GEO_H

namespace catsieve {

constexpr double kEarthRadius = 6371.0;
constexpr double kRad = 0.017453292519943295;  // radians per degree
constexpr double kDeg = 57.29577951308232;     // degrees per radian
constexpr double kPi = 3.141592653589793;

// -delta: centre longitude (radians), sine and cosine of the centre's
// geocentric colatitude, cosines of the distance bounds.
extern int do_delta;
extern double phi0, st0, ct0, cdmin, cdmax;

void qdelta();
// Cosine of the distance angle from the -delta centre to a point (degrees).
double calc_delta(double lat, double lon);

// -polygon: vertices with the closing copy of the first one.
constexpr int kMaxVertices = 50;
extern int do_poly;
extern double plat[kMaxVertices + 1];
extern double plon[kMaxVertices + 1];
extern int nvert;

void qpoly();
// 0 outside; 1 on a vertex; otherwise the sum of the crossing values (+-4
// per winding, +-2 for a point on an edge).
int inpoly(double lat, double lon, const double* px, const double* py, int n);

}  // namespace catsieve

#endif
