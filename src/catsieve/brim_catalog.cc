// The brim summary catalog: one event per line in fixed columns.  Optional
// fields that are blank, or that a short line does not reach, take a fixed
// missing-value marker, which is then tested like any value read.  The
// line tests here also serve the full brim reader, on the summary line it
// builds from each record.
#include "brim_catalog.h"

#include <cstdlib>
#include <string>

#include "catsieve/day_cache.h"
#include "catsieve/readers.h"
#include "util/calendar.h"

namespace catsieve {

extern const double no_depth = -10000.0;
extern const double no_mag = -10.0;
extern const int no_num_sta = -1;
extern const double no_rms = -1.0;
extern const int no_max_az_gap = -1;
extern const double no_close = -1.0;
extern const int no_num_mag_obs = -1;
extern const double no_otime_err = -1.0;
extern const double no_lat_err = -1.0;
extern const double no_lon_err = -1.0;
extern const double no_depth_err = -1.0;

namespace {

// Columns of a summary line.
constexpr Col kYear = {6, 4, 0};
constexpr Col kMonth = {10, 2, 0};
constexpr Col kDay = {12, 2, 0};
constexpr Col kHour = {14, 2, 0};
constexpr Col kMinute = {16, 2, 0};
constexpr Col kSeconds = {18, 7, 0};
constexpr Col kLat = {25, 9, 0};
constexpr Col kLon = {34, 10, 0};
constexpr Col kDepth = {44, 8, 0};
constexpr Col kNumSta = {57, 4, 0};
constexpr Col kGap = {61, 3, 0};
constexpr Col kClose = {64, 10, 0};
constexpr Col kRms = {74, 7, 0};
constexpr Col kOtimeErr = {81, 7, 0};
constexpr Col kDepthErr = {95, 7, 0};
constexpr int kEtype = 102;  // two characters, also the felt marks
constexpr Col kMag = {130, 5, 0};
constexpr Col kNumMagObs = {140, 4, 0};
constexpr Col kLatErr = {239, 10, 0};
constexpr Col kLonErr = {249, 10, 0};

// An optional field is missing when the line, newline included, ends
// before the field's last column, or when the field is all blanks.  When
// present its text is left in xx.
bool missing(const Line& l, Col c) {
  if (l.n < static_cast<size_t>(c.col + c.width - 1)) return true;
  return blen(field_text(l, c.col, c.width, xx)) == 0;
}

double opt_real(const Line& l, Col c, double marker) {
  return missing(l, c) ? marker : std::strtod(xx, nullptr);
}

int opt_int(const Line& l, Col c, int marker) {
  return missing(l, c) ? marker : static_cast<int>(std::strtol(xx, nullptr, 10));
}

char upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool felt_mark(char c) { return c == 'F' || c == 'D' || c == 'C'; }

// Two blank type columns stand for an earthquake; otherwise either column,
// in upper case, must be an accepted type code.
bool etype_ok(char c1, char c2, const LetterSet& accepted) {
  if (c1 == ' ' && c2 == ' ') return etypes.find('E') != std::string::npos;
  return accepted.contains(upper(c1)) || accepted.contains(upper(c2));
}

const EtypeGroup kBrimTypes[] = {
    {'E', "LTRFDCV"}, {'Q', "Q"}, {'R', "R"}, {'B', "QBN"}, {'N', "N"}, {'H', "H"},
};

const BrimMissing kMissing = {
    no_depth, no_mag, no_num_sta, no_rms, no_max_az_gap, no_close,
    no_num_mag_obs, no_otime_err, no_lat_err, no_lon_err, no_depth_err,
};

LetterSet accepted;

bool select_line(const Line& l) { return brim_select(l, kMissing, accepted); }

}  // namespace

namespace {

double day(const Line& l) {
  static DayCache days;
  return cached_day(days, l, kYear.col, kDay.col + kDay.width - kYear.col, [&l] {
    return util::day_start(fint(l, kYear), fint(l, kMonth), fint(l, kDay), 1);
  });
}

}  // namespace

double brim_otime(const Line& l) {
  return util::time_of_day(day(l), fint(l, kHour), fint(l, kMinute), freal(l, kSeconds));
}

namespace {

bool fields_ok(const Line& l, const BrimMissing& m) {
  if (do_depth && !in_range(opt_real(l, kDepth, m.depth), zmin, zmax)) return false;
  if (do_mag && !mag_ok(opt_real(l, kMag, m.mag), m.mag)) return false;
  if (do_nsta && !in_range(opt_int(l, kNumSta, m.num_sta), nstmin, nstmax)) return false;
  if (do_rms && !in_range(opt_real(l, kRms, m.rms), rmsmin, rmsmax)) return false;
  if (do_gap && !in_range(static_cast<double>(opt_int(l, kGap, m.max_az_gap)), gapmin, gapmax))
    return false;
  if (do_close && !in_range(opt_real(l, kClose, m.close), clomin, clomax)) return false;
  if (do_mag_obs && !in_range(opt_int(l, kNumMagObs, m.num_mag_obs), nmagmin, nmagmax))
    return false;
  if (do_felt && !felt_mark(fchar(l, kEtype)) && !felt_mark(fchar(l, kEtype + 1))) return false;
  if (do_oterr && !in_range(opt_real(l, kOtimeErr, m.otime_err), otemin, otemax)) return false;
  if (do_laterr && !in_range(opt_real(l, kLatErr, m.lat_err), laemin, laemax)) return false;
  if (do_lonerr && !in_range(opt_real(l, kLonErr, m.lon_err), loemin, loemax)) return false;
  if (do_deperr && !in_range(opt_real(l, kDepthErr, m.depth_err), zerrmin, zerrmax))
    return false;
  return true;
}

}  // namespace

bool brim_select(const Line& l, const BrimMissing& m, const LetterSet& accepted) {
  if (do_otime && !otime_in(day(l), l, kHour, kMinute, kSeconds)) return false;
  Place place;
  if (!place_ok(l, kLat, kLon, &place)) return false;
  if (field_tests && !fields_ok(l, m)) return false;
  if (!area_ok(place)) return false;
  if (do_etype && !etype_ok(fchar(l, kEtype), fchar(l, kEtype + 1), accepted)) return false;
  return true;
}

void search_brim_catalog(Stream& s, const Line*) {
  static const LineReader reader = {512, select_line, brim_otime, "%d lines, %d selected, \n"};
  if (do_etype) accepted = build_etypes(kBrimTypes, sizeof kBrimTypes / sizeof kBrimTypes[0]);
  search_lines(s, nullptr, reader);
}

}  // namespace catsieve
