// -polygon: the vertex list of the command line and the box it imposes.
#include "catsieve/args.h"
#include "catsieve/geo.h"
#include "catsieve/query.h"
#include "catsieve/strict_args.h"
#include "util/calendar.h"
#include "util/cmd_opt.h"
#include "util/qerror.h"

namespace catsieve {

void qpoly() {
  strict_check_polygon();
  Query& q = building_query();
  Polygon& p = q.poly;
  p.nvert = 0;
  while (p.nvert < kMaxVertices && isangle(util::peekarg())) {
    p.plat[p.nvert] = angle(util::aarg());
    p.plon[p.nvert] = angle(util::aarg());
    ++p.nvert;
  }
  if (p.nvert < 3) util::error("Polygon needs at least three vertices");
  p.plat[p.nvert] = p.plat[0];
  p.plon[p.nvert] = p.plon[0];
  ++p.nvert;

  if (!q.lat.on) {
    q.lat.min = -90;
    q.lat.max = 90;
  }
  if (!q.lon.on) {
    q.lon.min = -180;
    q.lon.max = 180;
  }
  q.lat.min = fmax2(q.lat.min, util::dmin(p.plat, p.nvert));
  q.lat.max = fmin2(q.lat.max, util::dmax(p.plat, p.nvert));
  q.lon.min = fmax2(q.lon.min, util::dmin(p.plon, p.nvert));
  q.lon.max = fmin2(q.lon.max, util::dmax(p.plon, p.nvert));
  q.lon.on = true;
  q.lat.on = true;
  p.on = true;
}

}  // namespace catsieve
