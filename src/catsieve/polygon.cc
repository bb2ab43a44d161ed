// -polygon: the vertex list of the command line and the box it imposes.
#include "catsieve/args.h"
#include "catsieve/criteria.h"
#include "catsieve/geo.h"
#include "catsieve/strict_args.h"
#include "util/calendar.h"
#include "util/cmd_opt.h"
#include "util/qerror.h"

namespace catsieve {

int do_poly;
double plat[kMaxVertices + 1];
double plon[kMaxVertices + 1];
int nvert;

void qpoly() {
  strict_check_polygon();
  nvert = 0;
  while (nvert < kMaxVertices && isangle(util::peekarg())) {
    plat[nvert] = angle(util::aarg());
    plon[nvert] = angle(util::aarg());
    ++nvert;
  }
  if (nvert < 3) util::error("Polygon needs at least three vertices");
  plat[nvert] = plat[0];
  plon[nvert] = plon[0];
  ++nvert;

  if (!do_lat) {
    latmin = -90;
    latmax = 90;
  }
  if (!do_lon) {
    lonmin = -180;
    lonmax = 180;
  }
  latmin = fmax2(latmin, util::dmin(plat, nvert));
  latmax = fmin2(latmax, util::dmax(plat, nvert));
  lonmin = fmax2(lonmin, util::dmin(plon, nvert));
  lonmax = fmin2(lonmax, util::dmax(plon, nvert));
  do_lon = 1;
  do_lat = 1;
  do_poly = 1;
}

}  // namespace catsieve
