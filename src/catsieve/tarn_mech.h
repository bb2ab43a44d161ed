// What the two layouts of the tarn mechanism catalog share: the same fields
// and tests at other columns, and the one magnitude type, avg.
#ifndef CATSIEVE_TARN_MECH_H
#define CATSIEVE_TARN_MECH_H

#include "catsieve/criteria.h"
#include "catsieve/field.h"
#include "catsieve/layout_time.h"
#include "catsieve/magtypes.h"
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
double mech_mag(const Line& l) {
  for (int i = 0; i < mags.count; ++i) {
    if (mags.list[i] != 16) mag_not_available("tarn mech");
    double m = freal(l, t.avg);
    if (m != 0.0) return m;
  }
  return 0.0;
}

template <const MechLayout& t>
bool mech_fields_ok(const Line& l) {
  if (do_depth && !in_range(freal(l, t.depth), zmin, zmax)) return false;
  if (do_mag && !mag_ok(mech_mag<t>(l), 0.0)) return false;
  if (do_nsta && !in_range(fint(l, t.nsta), nstmin, nstmax)) return false;
  if (do_rms && !in_range(freal(l, t.rms), rmsmin, rmsmax)) return false;
  if (do_gap && !in_range(freal(l, t.gap), gapmin, gapmax)) return false;
  if (do_close && !in_range(freal(l, t.close), clomin, clomax)) return false;
  if (do_horerr && !in_range(freal(l, t.herr), herrmin, herrmax)) return false;
  if (do_deperr && !in_range(freal(l, t.zerr), zerrmin, zerrmax)) return false;
  return true;
}

template <const MechLayout& t>
bool mech_select(const Line& l) {
  if (do_otime && !layout_otime_in<t>(l)) return false;
  Place place;
  if (!place_ok(l, t.place, &place)) return false;
  if (field_tests && !mech_fields_ok<t>(l)) return false;
  if (!area_ok(place)) return false;
  return true;
}

}  // namespace catsieve

#endif
