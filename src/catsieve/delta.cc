// -delta: events between min and max km from a point, measured as the
// great-circle angle between geocentric positions on a sphere of 6371 km.
#include <cmath>

#include "catsieve/args.h"
#include "catsieve/criteria.h"
#include "catsieve/geo.h"
#include "util/cmd_opt.h"
#include "util/cvlat.h"
#include "util/qerror.h"

namespace catsieve {

int do_delta;
double phi0, st0, ct0, cdmin, cdmax;

namespace {

// Narrows a range set earlier to its overlap with [lo, hi], or sets it.
void merge_range(int* flag, double* min, double* max, double lo, double hi) {
  if (*flag) {
    *min = fmax2(*min, lo);
    *max = fmin2(*max, hi);
  } else {
    *min = lo;
    *max = hi;
  }
  *flag = 1;
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

  phi0 = lon0 * kRad;
  double psi0 = util::ggtogc(lat0 * kRad);
  double theta0 = 90 - psi0 * kDeg;
  st0 = std::sin(90 * kRad - psi0);
  ct0 = std::cos(90 * kRad - psi0);
  cdmin = std::cos(amin);
  cdmax = std::cos(amax);

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
    if (lon_lo < -180 || lon_hi > 180) wraplon = 1;
  }
  double lat_lo = util::gctogg((90 - c2) * kRad) * kDeg;
  double lat_hi = util::gctogg((90 - c1) * kRad) * kDeg;

  merge_range(&do_lat, &latmin, &latmax, lat_lo, lat_hi);
  merge_range(&do_lon, &lonmin, &lonmax, lon_lo, lon_hi);
  do_delta = 1;
}

double calc_delta(double lat, double lon) {
  double theta = 90 * kRad - util::ggtogc(lat * kRad);
  return st0 * std::sin(theta) * std::cos(lon * kRad - phi0) + ct0 * std::cos(theta);
}

}  // namespace catsieve
