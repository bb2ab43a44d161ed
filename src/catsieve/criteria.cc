// The query the option handlers build, and the handlers of the range,
// letter and flag options.
#include "catsieve/query.h"

#include <cctype>
#include <cmath>
#include <climits>

#include "catsieve/args.h"
#include "catsieve/since_until.h"
#include "util/cmd_opt.h"
#include "util/qerror.h"

namespace catsieve {

using util::aarg;
using util::narg;

namespace {
Query building;
}  // namespace

Query& building_query() { return building; }

void reset_query() { building = Query(); }

void finish_query(Query& q) {
  q.field_tests = q.depth.on || q.mag.on || q.close.on || q.nsta.on || q.rms.on || q.gap.on ||
                  q.qual_on || q.nmag.on || q.m0.on || q.nm0.on || q.oterr.on || q.laterr.on ||
                  q.lonerr.on || q.herr.on || q.zerr.on || q.felt;
}

void dcheck(double min, double max, const char* name) {
  if (min > max) util::error("minimum %s value greater than maximum", name);
}

void icheck(int min, int max, const char* name) {
  if (min > max) util::error("minimum %s value greater than maximum", name);
}

double fmin2(double a, double b) { return a < b ? a : b; }
double fmax2(double a, double b) { return a > b ? a : b; }

int trunc_int(double v) {
  if (std::isnan(v)) return 0;
  if (v >= static_cast<double>(INT_MAX)) return INT_MAX;
  if (v <= static_cast<double>(INT_MIN)) return INT_MIN;
  return static_cast<int>(v);
}

namespace {

// A range option of two numbers: both bounds are stored as read, then
// checked, then the test is switched on.
void real_range(Bounds<double>& r, const char* name) {
  r.min = narg();
  r.max = narg();
  dcheck(r.min, r.max, name);
  r.on = true;
}

void int_range(Bounds<int>& r, const char* name) {
  r.min = trunc_int(narg());
  r.max = trunc_int(narg());
  icheck(r.min, r.max, name);
  r.on = true;
}

void angle_range(Bounds<double>& r, const char* name) {
  r.min = angle(aarg());
  r.max = angle(aarg());
  dcheck(r.min, r.max, name);
  r.on = true;
}

}  // namespace

void qneg() { building.negate = true; }

void qtime() {
  classic_time_given();
  Bounds<double>& t = building.otime;
  t.min = epoch(aarg());
  t.max = epoch(aarg());
  dcheck(t.min, t.max, "time");
  t.on = true;
}

void qlat() { angle_range(building.lat, "latitude"); }
void qlon() { angle_range(building.lon, "longitude"); }
void qdepth() { real_range(building.depth, "depth"); }
void qmag() { real_range(building.mag, "magnitude"); }
void qclose() { real_range(building.close, "close"); }
void qnsta() { int_range(building.nsta, "nstations"); }
void qrms() { real_range(building.rms, "rms"); }
void qgap() { real_range(building.gap, "gap"); }
void qnmagobs() { int_range(building.nmag, "nobs for mag"); }
void qm0() { real_range(building.m0, "M0"); }
void qnm0obs() { int_range(building.nm0, "nobs for M0"); }
void qoterr() { real_range(building.oterr, "o-time error"); }
void qlaterr() { real_range(building.laterr, "lat error"); }
void qlonerr() { real_range(building.lonerr, "lon error"); }
void qherr() { real_range(building.herr, "horizontal error"); }
void qzerr() { real_range(building.zerr, "depth error"); }

void qqual() {
  std::string& quals = building.quals;
  quals = aarg();
  for (char& c : quals)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  building.qual_on = true;
}

void qetype() {
  std::string& etypes = building.etypes;
  etypes = aarg();
  for (char& c : etypes)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  building.etype_on = etypes.find('A') == std::string::npos;
}

void qfelt() { building.felt = true; }

void qno_mag() { building.nomag = true; }

}  // namespace catsieve
