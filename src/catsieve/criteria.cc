// The selection criteria and the handlers of the range, letter and flag
// options.
#include "catsieve/criteria.h"

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

int negate;
int do_otime;
double otmin, otmax;
int do_lat;
double latmin, latmax;
int do_lon;
double lonmin, lonmax;
int wraplon;
int do_depth;
double zmin, zmax;
int do_mag;
double magmin, magmax;
int do_nomag;
int do_close;
double clomin, clomax;
int do_nsta;
int nstmin, nstmax;
int do_rms;
double rmsmin, rmsmax;
int do_gap;
double gapmin, gapmax;
int do_qual;
std::string quals;
int do_etype;
std::string etypes;
int do_mag_obs;
int nmagmin, nmagmax;
int do_m0;
double m0min, m0max;
int do_m0_obs;
int nm0min, nm0max;
int do_oterr;
double otemin, otemax;
int do_laterr;
double laemin, laemax;
int do_lonerr;
double loemin, loemax;
int do_horerr;
double herrmin, herrmax;
int do_deperr;
double zerrmin, zerrmax;
int do_felt;
char felt;

bool field_tests = true;

bool any_field_test() {
  return do_depth || do_mag || do_close || do_nsta || do_rms || do_gap || do_qual ||
         do_mag_obs || do_m0 || do_m0_obs || do_oterr || do_laterr || do_lonerr ||
         do_horerr || do_deperr || do_felt;
}

void reset_criteria() {
  negate = 0;
  do_otime = do_lat = do_lon = wraplon = do_depth = do_mag = do_nomag = 0;
  do_close = do_nsta = do_rms = do_gap = do_qual = do_mag_obs = do_m0 = do_m0_obs = 0;
  do_oterr = do_laterr = do_lonerr = do_horerr = do_deperr = do_felt = 0;
  otmin = otmax = latmin = latmax = lonmin = lonmax = zmin = zmax = 0;
  magmin = magmax = clomin = clomax = rmsmin = rmsmax = gapmin = gapmax = 0;
  m0min = m0max = otemin = otemax = laemin = laemax = loemin = loemax = 0;
  herrmin = herrmax = zerrmin = zerrmax = 0;
  nstmin = nstmax = nmagmin = nmagmax = nm0min = nm0max = 0;
  quals.clear();
  felt = 0;
  // By default only events of type E pass.
  do_etype = 1;
  etypes = "E";
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
void real_range(double* min, double* max, int* flag, const char* name) {
  *min = narg();
  *max = narg();
  dcheck(*min, *max, name);
  *flag = 1;
}

void int_range(int* min, int* max, int* flag, const char* name) {
  *min = trunc_int(narg());
  *max = trunc_int(narg());
  icheck(*min, *max, name);
  *flag = 1;
}

void angle_range(double* min, double* max, int* flag, const char* name) {
  *min = angle(aarg());
  *max = angle(aarg());
  dcheck(*min, *max, name);
  *flag = 1;
}

}  // namespace

void qneg() { negate = 1; }

void qtime() {
  classic_time_given();
  otmin = epoch(aarg());
  otmax = epoch(aarg());
  dcheck(otmin, otmax, "time");
  do_otime = 1;
}

void qlat() { angle_range(&latmin, &latmax, &do_lat, "latitude"); }
void qlon() { angle_range(&lonmin, &lonmax, &do_lon, "longitude"); }
void qdepth() { real_range(&zmin, &zmax, &do_depth, "depth"); }
void qmag() { real_range(&magmin, &magmax, &do_mag, "magnitude"); }
void qclose() { real_range(&clomin, &clomax, &do_close, "close"); }
void qnsta() { int_range(&nstmin, &nstmax, &do_nsta, "nstations"); }
void qrms() { real_range(&rmsmin, &rmsmax, &do_rms, "rms"); }
void qgap() { real_range(&gapmin, &gapmax, &do_gap, "gap"); }
void qnmagobs() { int_range(&nmagmin, &nmagmax, &do_mag_obs, "nobs for mag"); }
void qm0() { real_range(&m0min, &m0max, &do_m0, "M0"); }
void qnm0obs() { int_range(&nm0min, &nm0max, &do_m0_obs, "nobs for M0"); }
void qoterr() { real_range(&otemin, &otemax, &do_oterr, "o-time error"); }
void qlaterr() { real_range(&laemin, &laemax, &do_laterr, "lat error"); }
void qlonerr() { real_range(&loemin, &loemax, &do_lonerr, "lon error"); }
void qherr() { real_range(&herrmin, &herrmax, &do_horerr, "horizontal error"); }
void qzerr() { real_range(&zerrmin, &zerrmax, &do_deperr, "depth error"); }

void qqual() {
  quals = aarg();
  for (char& c : quals)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  do_qual = 1;
}

void qetype() {
  etypes = aarg();
  for (char& c : etypes)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  do_etype = etypes.find('A') == std::string::npos;
}

void qfelt() {
  felt = 'F';
  do_felt = 1;
}

void qno_mag() { do_nomag = 1; }

}  // namespace catsieve
