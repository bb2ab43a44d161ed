// The kelp catalog: one event per line in fixed columns, dated by year and
// day of the year.  Blank fields simply read as 0; there are no markers for
// missing values and no event types.
#include "readers/kelp_catalog.h"

#include <string>

#include "readers/field_tests.h"
#include "readers/record_cycle.h"
#include "records/day_cache.h"
#include "records/field.h"
#include "util/calendar.h"

namespace catsieve {

namespace {

constexpr Col kYear = {1, 4, 0};
constexpr Col kDoy = {6, 3, 0};
constexpr Col kHour = {10, 2, 0};
constexpr Col kMinute = {13, 2, 0};
constexpr Col kSeconds = {16, 7, 0};
constexpr Col kLat = {26, 8, 0};
constexpr Col kLon = {36, 9, 0};
constexpr Col kDepth = {46, 6, 0};
constexpr Col kMag = {53, 4, 0};
constexpr Col kNumSta = {61, 3, 0};
constexpr Col kNumMagObs = {65, 3, 0};
constexpr Col kRms = {69, 4, 0};
constexpr int kQuality = 74;

// Days of a common year before the start of each month, and at its end.
const int DOY[13] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334, 365};

double kelp_day(DayCache& days, const Line& l) {
  return cached_day(days, l, kYear.col, kDoy.col + kDoy.width - kYear.col, [&l] {
    int year = fint(l, kYear);
    int month, day;
    dy_to_mdy(fint(l, kDoy), year, &month, &day);
    return util::day_start(year, month, day, 1);
  });
}

double kelp_otime(DayCache& days, const Line& l) {
  return util::time_of_day(kelp_day(days, l), fint(l, kHour), fint(l, kMinute),
                           freal(l, kSeconds));
}

bool quality_test(const Query& q, RunState&, const Line& l) { return quality_in(q, l, kQuality); }

// The field tests in the order they run.  A magnitude of 0 is a magnitude
// here: -no_mag does not apply.
constexpr Column<Line> kColumns[] = {
    real_column<Line>(Crit::kDepth, kDepth),       real_column<Line>(Crit::kMag, kMag),
    int_column<Line>(Crit::kNsta, kNumSta),        real_column<Line>(Crit::kRms, kRms),
    test_column<Line>(Crit::kQual, quality_test),  int_column<Line>(Crit::kNmag, kNumMagObs),
};

bool select_line(const Query& q, RunState& st, const Line& l) {
  if (st.otime.on && !otime_in(st.otime, kelp_day(st.days, l), l, kHour, kMinute, kSeconds))
    return false;
  Place place;
  if (!place_ok(q, l, kLat, kLon, &place)) return false;
  if (st.field_tests && !fields_ok<kColumns>(q, st, l)) return false;
  if (!area_ok(q, place)) return false;
  return true;
}

// One magnitude column, of no stated type.
void describe_line(const Query&, DayCache& days, const Line& l, Event* e) {
  describe_time(kelp_otime(days, l), l, kSeconds, e);
  describe_place(l, kLat, kLon, e);
  e->depth = real_field(l, kDepth);
  e->mag = real_field(l, kMag);
  e->nsta = count_field(l, kNumSta);
  e->mag_obs = count_field(l, kNumMagObs);
  e->rms = real_field(l, kRms);
  describe_quality(l, kQuality, e);
}

}  // namespace

// Month and day of a day of the year.  The month search stops at December,
// so a day past the end of the year becomes a day of December beyond the
// 31st, which the time arithmetic carries into the next year; a day of 0 or
// below stays in January.
void dy_to_mdy(int doy, int year, int* month, int* day) {
  int leap = (year % 400 == 0 || (year % 4 == 0 && year % 100 != 0)) ? 1 : 0;
  int m = 1;
  while (m < 12 && doy > DOY[m] + (m >= 2 ? leap : 0)) ++m;
  *month = m;
  *day = doy - (DOY[m - 1] + (m - 1 >= 2 ? leap : 0));
}

void search_kelp_catalog(Stream& s, RunState& st) {
  static constexpr EventFields fields = {kelp_day, kYear,   0,      Col{}, Col{},
                                         kDoy,     kHour,   kMinute, kSeconds, kLat,
                                         Col{},    kLon,    Col{}};
  static constexpr LineReader reader = {200,          false, select_line, kelp_otime, describe_line,
                                        "%d lines, %d selected\n", &fields};
  st.field_tests = any_field_test(st.q, kColumns);
  search_lines(s, nullptr, reader, st);
}

}  // namespace catsieve
