// Angle words, and the options of place: ranges, a ring and a polygon.
#include "cli/angle_words.h"

#include <cstdlib>
#include <cstring>

#include "cli/options.h"
#include "cli/strict_checks.h"
#include "query/geo.h"

namespace catsieve {

namespace {

bool next_angle(ArgCursor& c, double* v, util::Status* err) {
  const char* word;
  return next_word(c, err, &word) && angle(c, word, v, err);
}

bool angle_range(ArgCursor& c, Bounds<double>& r, util::Status* err) {
  if (!next_angle(c, &r.min, err) || !next_angle(c, &r.max, err)) return false;
  if (r.min > r.max)
    return fail(c, err, "minimum %s value greater than maximum", c.row->range_name);
  r.on = true;
  return true;
}

}  // namespace

const char* angle_sign(const char* word, double* sign) {
  const char* p = word;
  *sign = 1;
  if (*p == '+') ++p;
  if (*p == '-') {
    ++p;
    *sign = -1;
  }
  return p;
}

double angle_value(const char* word) {
  double sign;
  const char* p = angle_sign(word, &sign);
  double degrees = std::atof(p);
  double minutes = 0, seconds = 0;
  if (const char* colon = std::strchr(p, ':')) {
    minutes = std::atof(colon + 1);
    if (const char* colon2 = std::strchr(colon + 1, ':')) seconds = std::atof(colon2 + 1);
  }
  return sign * (degrees + (minutes + seconds / 60) / 60);
}

bool angle(ArgCursor& c, const char* word, double* degrees, util::Status* err) {
  if (c.strict && !strict_check_angle(c, word, err)) return false;
  *degrees = angle_value(word);
  return true;
}

int isangle(const char* word) {
  if (!word) return 0;
  return word[std::strspn(word, "+-0123456789.:")] == '\0';
}

bool qlat(ArgCursor& c, RunConfig& cfg, util::Status* err) {
  return angle_range(c, cfg.query.lat, err);
}

bool qlon(ArgCursor& c, RunConfig& cfg, util::Status* err) {
  return angle_range(c, cfg.query.lon, err);
}

bool qdelta(ArgCursor& c, RunConfig& cfg, util::Status* err) {
  double lat0, lon0, dmin, dmax;
  if (!next_angle(c, &lat0, err) || !next_angle(c, &lon0, err)) return false;
  if (!next_number(c, err, &dmin) || !next_number(c, err, &dmax)) return false;
  double amax = dmax / kEarthRadius;
  if (dmin > dmax) return fail(c, err, "minimum %s value greater than maximum", "delta");
  if (amax > kPi) return fail(c, err, "max delta %lf value greater 1/2 earth circumference", dmax);
  if (dmin < 0) return fail(c, err, "min delta %lf value < 0 ", dmin);
  if (dmax <= 0) return fail(c, err, "max delta %lf value <= 0 ", dmax);
  set_ring(cfg.query, lat0, lon0, dmin, dmax);
  return true;
}

bool qpoly(ArgCursor& c, RunConfig& cfg, util::Status* err) {
  if (c.strict && !strict_check_polygon(c, err)) return false;
  Polygon& p = cfg.query.poly;
  p.nvert = 0;
  while (p.nvert < kMaxVertices && isangle(peek_word(c))) {
    if (!next_angle(c, &p.plat[p.nvert], err) || !next_angle(c, &p.plon[p.nvert], err))
      return false;
    ++p.nvert;
  }
  if (p.nvert < 3) return fail(c, err, "Polygon needs at least three vertices");
  p.plat[p.nvert] = p.plat[0];
  p.plon[p.nvert] = p.plon[0];
  ++p.nvert;
  set_polygon_box(cfg.query);
  p.on = true;
  return true;
}

}  // namespace catsieve
