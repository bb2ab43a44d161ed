// -delta: events between min and max km from a point, measured as the
// great-circle angle between geocentric positions on a sphere of 6371 km.
#include <cmath>

#include "catsieve/args.h"
#include "catsieve/query.h"
#include "catsieve/geo.h"
#include "util/cmd_opt.h"
#include "util/cvlat.h"
#include "util/qerror.h"

namespace catsieve {

namespace {

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

}  // namespace

void qdelta() {
  double lat0 = angle(util::aarg());
  double lon0 = angle(util::aarg());
  double dmin = util::narg();
  double dmax = util::narg();
  double amin = dmin / kEarthRadius;
  double amax = dmax / kEarthRadius;
  double dmax_deg = amax * kDeg;

  dcheck(dmin, dmax, "delta");
  if (amax > kPi) util::error("max delta %lf value greater 1/2 earth circumference", dmax);
  if (dmin < 0) util::error("min delta %lf value < 0 ", dmin);
  if (dmax <= 0) util::error("max delta %lf value <= 0 ", dmax);

  Query& q = building_query();
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

}  // namespace catsieve
