// What the two layouts of the tarn mechanism catalog share: the same fields
// and tests at other columns, and the one magnitude type, avg.
#ifndef CATSIEVE_TARN_MECH_H
#define CATSIEVE_TARN_MECH_H

#include "catsieve/field.h"
#include "catsieve/layout_time.h"
#include "catsieve/magtypes.h"
#include "catsieve/query.h"
#include "catsieve/record_cycle.h"
#include "util/calendar.h"

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

// The record functions, compiled for the columns of each layout.

// The only type this catalog carries is avg; a blank or zero field is no
// magnitude, and the walk goes on to the next listed type.
template <const MechLayout& t>
ChosenMag mech_mag(const MagPrefList& mags, const Line& l) {
  for (int i = 0; i < mags.count; ++i) {
    if (mags.list[i] != kMagAvg) mag_not_available("tarn mech");
    double m = freal(l, t.avg);
    if (m != 0.0) return {m, kMagAvg};
  }
  return {};
}

template <const MechLayout& t>
bool mech_fields_ok(const Query& q, const Line& l) {
  if (q.depth.on && !q.depth.holds(freal(l, t.depth))) return false;
  if (q.mag.on && !mag_ok(q, mech_mag<t>(q.mags, l).value, 0.0)) return false;
  if (q.nsta.on && !q.nsta.holds(fint(l, t.nsta))) return false;
  if (q.rms.on && !q.rms.holds(freal(l, t.rms))) return false;
  if (q.gap.on && !q.gap.holds(freal(l, t.gap))) return false;
  if (q.close.on && !q.close.holds(freal(l, t.close))) return false;
  if (q.herr.on && !q.herr.holds(freal(l, t.herr))) return false;
  if (q.zerr.on && !q.zerr.holds(freal(l, t.zerr))) return false;
  return true;
}

template <const MechLayout& t>
bool mech_select(const Query& q, const Line& l) {
  if (q.otime.on && !layout_otime_in<t>(q.otime, l)) return false;
  Place place;
  if (!place_ok(q, l, t.place, &place)) return false;
  if (q.field_tests && !mech_fields_ok<t>(q, l)) return false;
  if (!area_ok(q, place)) return false;
  return true;
}

// The catalog holds no event-type letter.
template <const MechLayout& t>
void mech_describe(const Query& q, const Line& l, Event* e) {
  describe_time(layout_otime<t>(l), l, t.seconds, e);
  describe_place(l, t.place, e);
  describe_solution<t>(l, e);
  describe_mag(mech_mag<t>(q.mags, l), e);
}

}  // namespace catsieve

#endif
