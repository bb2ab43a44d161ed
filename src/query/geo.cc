// -delta: events between min and max km from a point, measured as the
// great-circle angle between geocentric positions on a sphere of 6371 km;
// -polygon's box.
#include "query/geo.h"

#include <cmath>

#include "util/cvlat.h"

namespace catsieve {

namespace {

double fmin2(double a, double b) { return a < b ? a : b; }
double fmax2(double a, double b) { return a > b ? a : b; }

// Narrows a range set earlier to its overlap with [lo, hi], or sets it.
void merge_range(Bounds<double>& r, double lo, double hi) {
  if (r.on) {
    r.min = fmax2(r.min, lo);
    r.max = fmin2(r.max, hi);
  } else {
    r.min = lo;
    r.max = hi;
  }
  r.on = true;
}

// Smallest and largest of n values.
double least(const double* v, int n) {
  double m = v[0];
  for (int i = 1; i < n; ++i)
    if (v[i] < m) m = v[i];
  return m;
}
double most(const double* v, int n) {
  double m = v[0];
  for (int i = 1; i < n; ++i)
    if (v[i] > m) m = v[i];
  return m;
}

}  // namespace

void set_ring(Query& q, double lat0, double lon0, double dmin, double dmax) {
  double amin = dmin / kEarthRadius;
  double amax = dmax / kEarthRadius;
  double dmax_deg = amax * kDeg;
  Ring& ring = q.delta;
  ring.phi0 = lon0 * kRad;
  double psi0 = util::ggtogc(lat0 * kRad);
  double theta0 = 90 - psi0 * kDeg;
  ring.st0 = std::sin(90 * kRad - psi0);
  ring.ct0 = std::cos(90 * kRad - psi0);
  ring.cdmin = std::cos(amin);
  ring.cdmax = std::cos(amax);

  // Colatitude band of the outer circle; a band past a pole takes every
  // longitude.
  double c1 = theta0 - dmax_deg;
  double c2 = theta0 + dmax_deg;
  double lon_lo, lon_hi;
  if (c1 < 0 || c2 > 180) {
    lon_lo = -180;
    lon_hi = 180;
    if (c1 < 0) c1 = 0;
    if (c2 > 180) c2 = 180;
  } else {
    double a = std::asin(std::sin(amax) / std::sin(theta0 * kRad)) * kDeg;
    lon_lo = lon0 - a;
    lon_hi = lon0 + a;
    if (lon_lo < -180 || lon_hi > 180) q.wraplon = true;
  }
  double lat_lo = util::gctogg((90 - c2) * kRad) * kDeg;
  double lat_hi = util::gctogg((90 - c1) * kRad) * kDeg;

  merge_range(q.lat, lat_lo, lat_hi);
  merge_range(q.lon, lon_lo, lon_hi);
  ring.on = true;
}

double calc_delta_fast(const Ring& r, double lat, double lon) {
  // The sine and cosine of the colatitude straight from the geocentric
  // latitude's tangent, without the arc tangent and a second sine and
  // cosine: equal to calc_delta's within a few units of the last place.
  double s = std::sin(lat * kRad), c = std::cos(lat * kRad);
  double y = util::kOneMinusE2 * s;
  double len = std::sqrt(y * y + c * c);
  return r.st0 * (c / len) * std::cos(lon * kRad - r.phi0) + r.ct0 * (y / len);
}

double calc_delta(const Ring& r, double lat, double lon) {
  double theta = 90 * kRad - util::ggtogc(lat * kRad);
  return r.st0 * std::sin(theta) * std::cos(lon * kRad - r.phi0) + r.ct0 * std::cos(theta);
}

void set_polygon_box(Query& q) {
  const Polygon& p = q.poly;
  if (!q.lat.on) {
    q.lat.min = -90;
    q.lat.max = 90;
  }
  if (!q.lon.on) {
    q.lon.min = -180;
    q.lon.max = 180;
  }
  q.lat.min = fmax2(q.lat.min, least(p.plat, p.nvert));
  q.lat.max = fmin2(q.lat.max, most(p.plat, p.nvert));
  q.lon.min = fmax2(q.lon.min, least(p.plon, p.nvert));
  q.lon.max = fmin2(q.lon.max, most(p.plon, p.nvert));
  q.lon.on = true;
  q.lat.on = true;
}

}  // namespace catsieve
