// Point-in-polygon test by signed crossings of the meridian south of the
// point, in the plane of latitude and longitude degrees.  A full crossing
// counts 4, an edge that only starts or ends on the half-line 2, so a
// polygon that winds once around the point sums to +4 or -4; a point on an
// edge adds +-2 and a point on a vertex gives 1.
#include "query/geo.h"

namespace catsieve {

namespace {

// State of one test: the current edge relative to the point (x along
// latitude, y along longitude).
struct Edge {
  double x1, y1, x2, y2, y1y2;
  int vertex;
};

int sicr(Edge& e) {
  double t = e.x1 * e.y2 - e.x2 * e.y1;
  if (t == 0) {
    if (e.y1y2 == 0) {
      e.vertex = (e.y1 == 0 && e.y2 == 0) ? 0 : 1;
      return 0;
    }
    return e.y2 > 0 ? 2 : -2;
  }
  if (e.y1y2 < 0) {
    if (t * e.y2 > 0) return 0;
    return e.y2 > 0 ? 4 : -4;
  }
  if (e.y1 == 0) {
    if (e.x1 >= 0) return 0;
    return e.y2 > 0 ? 2 : -2;
  }
  if (e.x2 >= 0) return 0;
  return e.y1 < 0 ? 2 : -2;
}

}  // namespace

int inpoly(double lat, double lon, const double* px, const double* py, int n) {
  int inside = 0;
  Edge e{};
  e.x1 = px[0] - lat;
  e.y1 = py[0] - lon;
  for (int k = 1; k < n; ++k) {
    if (e.vertex) return 1;
    e.x2 = px[k] - lat;
    e.y2 = py[k] - lon;
    e.y1y2 = e.y1 * e.y2;
    if (e.y1y2 <= 0) inside += sicr(e);
    e.x1 = e.x2;
    e.y1 = e.y2;
  }
  return inside;
}

}  // namespace catsieve
