// The orv catalog: one event per line, four-digit year, signed decimal
// latitude and longitude, four magnitudes each with its number of
// observations, a scalar moment, location errors, a quality letter and a
// felt flag.

#include "catsieve/day_cache.h"
#include "catsieve/field.h"
#include "catsieve/magtypes.h"
#include "catsieve/readers.h"
#include "catsieve/record_cycle.h"
#include "util/calendar.h"

namespace catsieve {

namespace {

constexpr Col kYear = {1, 4, 0}, kMonth = {5, 2, 0}, kDay = {7, 2, 0};
constexpr Col kHour = {10, 2, 0}, kMinute = {12, 2, 0}, kSeconds = {14, 7, 0};
constexpr Col kLat = {22, 8, 0}, kLon = {31, 9, 0}, kDepth = {41, 8, 0};
constexpr Col kMlb = {50, 4, 0}, kMlbObs = {55, 3, 0};
constexpr Col kMl = {59, 4, 0}, kMlObs = {64, 3, 0};
constexpr Col kMln = {68, 4, 0}, kMlnObs = {73, 3, 0};
constexpr Col kMw = {77, 4, 0}, kMwObs = {82, 3, 0};
constexpr Col kM0 = {86, 9, 0}, kM0Obs = {96, 3, 0};
constexpr Col kNsta = {100, 3, 0}, kGap = {104, 3, 0}, kClose = {108, 6, 0};
constexpr Col kOtErr = {115, 7, 0}, kLatErr = {123, 7, 0}, kLonErr = {131, 7, 0};
constexpr Col kDepthErr = {139, 7, 0}, kRms = {147, 7, 0};
constexpr int kQuality = 155, kFelt = 157;

// Observations behind the magnitude last chosen by match_orv_catalog_mag,
// 0 when it chose none.  It lives for the whole run: only the magnitude
// function writes it, and -nmag reads what the magnitude test of the same
// record left.
int nmag = 0;

double day(const Line& l) {
  static DayCache days;
  return cached_day(days, l, kYear.col, kDay.col + kDay.width - kYear.col, [&l] {
    return util::day_start(fint(l, kYear), fint(l, kMonth), fint(l, kDay), 1);
  });
}

double otime(const Line& l) {
  return util::time_of_day(day(l), fint(l, kHour), fint(l, kMinute), freal(l, kSeconds));
}

bool qual_ok(char c) {
  if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return quals.find(c) != std::string::npos;
}

bool fields_ok(const Line& l) {
  if (do_depth && !in_range(freal(l, kDepth), zmin, zmax)) return false;
  if (do_mag && !mag_ok(match_orv_catalog_mag(l), 0.0)) return false;
  if (do_nsta && !in_range(fint(l, kNsta), nstmin, nstmax)) return false;
  if (do_rms && !in_range(freal(l, kRms), rmsmin, rmsmax)) return false;
  if (do_gap && !in_range(static_cast<double>(fint(l, kGap)), gapmin, gapmax)) return false;
  if (do_close && !in_range(freal(l, kClose), clomin, clomax)) return false;
  if (do_qual && !qual_ok(fchar(l, kQuality))) return false;
  if (do_mag_obs && !in_range(nmag, nmagmin, nmagmax)) return false;
  if (do_m0 && !in_range(freal(l, kM0), m0min, m0max)) return false;
  if (do_m0_obs && !in_range(fint(l, kM0Obs), nm0min, nm0max)) return false;
  if (do_felt && fchar(l, kFelt) != 'F') return false;
  if (do_oterr && !in_range(freal(l, kOtErr), otemin, otemax)) return false;
  if (do_laterr && !in_range(freal(l, kLatErr), laemin, laemax)) return false;
  if (do_lonerr && !in_range(freal(l, kLonErr), loemin, loemax)) return false;
  if (do_deperr && !in_range(freal(l, kDepthErr), zerrmin, zerrmax)) return false;
  return true;
}

bool select_orv(const Line& l) {
  if (do_otime && !otime_in(day(l), l, kHour, kMinute, kSeconds)) return false;
  Place place;
  if (!place_ok(l, kLat, kLon, &place)) return false;
  if (field_tests && !fields_ok(l)) return false;
  if (!area_ok(place)) return false;
  return true;
}

}  // namespace

// The first listed type with a value above 0 wins; nmag keeps the count of
// each type as it is looked at, and 0 when none gave a magnitude.
double match_orv_catalog_mag(const Line& l) {
  for (int i = 0; i < mags.count; ++i) {
    Col mag, obs;
    switch (mags.list[i]) {
      case 64:
        mag = kMlb, obs = kMlbObs;
        break;
      case 1:
        mag = kMl, obs = kMlObs;
        break;
      case 32:
        mag = kMln, obs = kMlnObs;
        break;
      case 128:
        mag = kMw, obs = kMwObs;
        break;
      default:
        mag_not_available("orv catalog");
    }
    double m = freal(l, mag);
    nmag = fint(l, obs);
    if (m > 0.0) return m;
  }
  nmag = 0;
  return 0.0;
}

// The first line handed to a reader is not used: every record is read here.
void search_orv_catalog(Stream& s, const Line*) {
  static const LineReader reader = {200, select_orv, otime, "%d lines, %d selected\n"};
  search_lines(s, nullptr, reader);
}

}  // namespace catsieve
