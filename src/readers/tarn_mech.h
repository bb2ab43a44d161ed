// What the two layouts of the tarn mechanism catalog share: the same fields
// and tests at other columns, and the one magnitude type, avg.
#ifndef READERS_TARN_MECH_H
#define READERS_TARN_MECH_H

#include "query/magtypes.h"
#include "query/query.h"
#include "readers/field_tests.h"
#include "readers/layout_time.h"
#include "readers/record_cycle.h"
#include "records/field.h"

namespace catsieve {

struct MechLayout {
  Col year;
  int century;  // added to the year field
  Col month, day, hour, minute, seconds;
  HemisphereCols place;
  Col depth, avg, nsta, gap, close, rms, herr, zerr;
};

// Line buffer of both layouts: records of at most 149 characters.
constexpr size_t kMechLineBuffer = 150;

// The readers of both layouts; the first line, when given, has been read
// by the layout detector.
void search_tarn_mech(Stream& s, const Line* first, RunState& st);
void search_tarn_mech2k(Stream& s, const Line* first, RunState& st);

// The record functions, compiled for the columns of each layout.

// The only type this catalog carries is avg; a blank or zero field is no
// magnitude, and the walk goes on to the next listed type.
template <const MechLayout& t>
ChosenMag mech_mag(const MagPrefList& mags, const Line& l) {
  for (int i = 0; i < mags.count; ++i) {
    if (mags.list[i] != kMagAvg) return ChosenMag{0.0, 0, 0, "tarn mech"};
    double m = freal(l, t.avg);
    if (m != 0.0) return {m, kMagAvg};
  }
  return {};
}

template <const MechLayout& t>
bool mech_mag_ok(const Query& q, RunState& st, const Line& l) {
  return mag_in(q, st, mech_mag<t>(q.mags, l), 0.0);
}

// The field tests in the order they run.
template <const MechLayout& t>
inline constexpr Column<Line> kMechColumns[] = {
    real_column<Line>(Crit::kDepth, t.depth), test_column<Line>(Crit::kMag, mech_mag_ok<t>),
    int_column<Line>(Crit::kNsta, t.nsta),    real_column<Line>(Crit::kRms, t.rms),
    real_column<Line>(Crit::kGap, t.gap),     real_column<Line>(Crit::kClose, t.close),
    real_column<Line>(Crit::kHerr, t.herr),   real_column<Line>(Crit::kZerr, t.zerr),
};

template <const MechLayout& t>
bool mech_select(const Query& q, RunState& st, const Line& l) {
  if (st.otime.on && !layout_otime_in<t>(st.days, st.otime, l)) return false;
  Place place;
  if (!place_ok(q, l, t.place, &place)) return false;
  if (st.field_tests && !fields_ok<kMechColumns<t>>(q, st, l)) return false;
  if (!area_ok(q, place)) return false;
  return true;
}

// The catalog holds no event-type letter.
template <const MechLayout& t>
void mech_describe(const Query& q, DayCache& days, const Line& l, Event* e) {
  describe_time(layout_otime<t>(days, l), l, t.seconds, e);
  describe_place(l, t.place, e);
  describe_solution<t>(l, e);
  describe_mag(mech_mag<t>(q.mags, l), e);
}

// Reads one stream with the layout's record functions.
template <const MechLayout& t>
void mech_search(Stream& s, const Line* first, RunState& st) {
  static constexpr LineReader reader = {kMechLineBuffer,
                                        false,
                                        mech_select<t>,
                                        layout_otime<t>,
                                        mech_describe<t>,
                                        "%d buf_lines, %d selected\n",
                                        &kLayoutEventFields<t>};
  st.field_tests = any_field_test(st.q, kMechColumns<t>);
  search_lines(s, first, reader, st);
}

}  // namespace catsieve

#endif
