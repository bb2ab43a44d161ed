// The orv catalog: one event per line, four-digit year, signed decimal
// latitude and longitude, four magnitudes each with its number of
// observations, a scalar moment, location errors, a quality letter and a
// felt flag.
#include "readers/orv_catalog.h"

#include "readers/field_tests.h"
#include "readers/record_cycle.h"
#include "records/day_cache.h"
#include "records/field.h"
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

// The magnitude column of a type bit and the column of its observations;
// width 0 for a type this catalog does not carry.
Col mag_col(int type) {
  switch (type) {
    case kMagMlb: return kMlb;
    case kMagMl: return kMl;
    case kMagMln: return kMln;
    case kMagMw: return kMw;
    default: return Col{0, 0, 0};
  }
}

Col obs_col(int type) {
  switch (type) {
    case kMagMlb: return kMlbObs;
    case kMagMl: return kMlObs;
    case kMagMln: return kMlnObs;
    default: return kMwObs;
  }
}

double day(DayCache& days, const Line& l) {
  return cached_day(days, l, kYear.col, kDay.col + kDay.width - kYear.col, [&l] {
    return util::day_start(fint(l, kYear), fint(l, kMonth), fint(l, kDay), 1);
  });
}

double otime(DayCache& days, const Line& l) {
  return util::time_of_day(day(days, l), fint(l, kHour), fint(l, kMinute), freal(l, kSeconds));
}

bool mag_test(const Query& q, RunState& st, const Line& l) {
  return mag_in(q, st, match_orv_catalog_mag(q.mags, l), 0.0);
}

bool qual_test(const Query& q, RunState&, const Line& l) { return quality_in(q, l, kQuality); }

// Observations behind the magnitude that the magnitude test chose, 0 when
// it chose none: -nmag reads what the magnitude test left, so without
// -magnitude it reads 0.  (The magnitude test, before it, has already
// walked the list to the same choice without a fault.)
bool nmag_test(const Query& q, RunState&, const Line& l) {
  int nmag = q.on(Crit::kMag) ? match_orv_catalog_mag(q.mags, l).obs : 0;
  return q.range(Crit::kNmag).holds(nmag);
}

bool felt_test(const Query&, RunState&, const Line& l) { return fchar(l, kFelt) == 'F'; }

// The field tests in the order they run.
constexpr Column<Line> kColumns[] = {
    real_column<Line>(Crit::kDepth, kDepth),   test_column<Line>(Crit::kMag, mag_test),
    int_column<Line>(Crit::kNsta, kNsta),         real_column<Line>(Crit::kRms, kRms),
    int_column<Line>(Crit::kGap, kGap),           real_column<Line>(Crit::kClose, kClose),
    test_column<Line>(Crit::kQual, qual_test),    test_column<Line>(Crit::kNmag, nmag_test),
    real_column<Line>(Crit::kM0, kM0),            int_column<Line>(Crit::kNm0, kM0Obs),
    test_column<Line>(Crit::kFelt, felt_test),    real_column<Line>(Crit::kOterr, kOtErr),
    real_column<Line>(Crit::kLaterr, kLatErr),    real_column<Line>(Crit::kLonerr, kLonErr),
    real_column<Line>(Crit::kZerr, kDepthErr),
};

bool select_orv(const Query& q, RunState& st, const Line& l) {
  if (st.otime.on && !otime_in(st.otime, day(st.days, l), l, kHour, kMinute, kSeconds))
    return false;
  Place place;
  if (!place_ok(q, l, kLat, kLon, &place)) return false;
  if (st.field_tests && !fields_ok<kColumns>(q, st, l)) return false;
  if (!area_ok(q, place)) return false;
  return true;
}

// The catalog holds no event-type letter; its quality letter is kept as
// written.
void describe_orv(const Query& q, DayCache& days, const Line& l, Event* e) {
  describe_time(otime(days, l), l, kSeconds, e);
  describe_place(l, kLat, kLon, e);
  e->depth = real_field(l, kDepth);
  ChosenMag m = match_orv_catalog_mag(q.mags, l);
  describe_mag(m, e);
  if (m.type) e->mag_obs = Count{has_text(l, obs_col(m.type)), m.obs};
  e->m0 = real_field(l, kM0);
  e->m0_obs = count_field(l, kM0Obs);
  e->nsta = count_field(l, kNsta);
  e->gap = real_field(l, kGap);
  e->close = real_field(l, kClose);
  e->oterr = real_field(l, kOtErr);
  e->laterr = real_field(l, kLatErr);
  e->lonerr = real_field(l, kLonErr);
  e->zerr = real_field(l, kDepthErr);
  e->rms = real_field(l, kRms);
  describe_quality(l, kQuality, e);
}

}  // namespace

// The first listed type with a value above 0 wins, with the observations
// of its column; none gives 0 and no observations.
ChosenMag match_orv_catalog_mag(const MagPrefList& mags, const Line& l) {
  for (int i = 0; i < mags.count; ++i) {
    int type = mags.list[i];
    Col mag = mag_col(type);
    if (mag.width == 0) return ChosenMag{0.0, 0, 0, "orv catalog"};
    double m = freal(l, mag);
    if (m > 0.0) return {m, type, fint(l, obs_col(type))};
  }
  return {};
}

void search_orv_catalog(Stream& s, RunState& st) {
  static constexpr EventFields fields = {day,     kYear,   0,        kMonth, kDay,
                                         Col{},   kHour,   kMinute,  kSeconds, kLat,
                                         Col{},   kLon,    Col{}};
  static constexpr LineReader reader = {200,          false, select_orv, otime, describe_orv,
                                        "%d lines, %d selected\n", &fields};
  st.field_tests = any_field_test(st.q, kColumns);
  search_lines(s, nullptr, reader, st);
}

}  // namespace catsieve
