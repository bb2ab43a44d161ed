// The tarn network's focal-mechanism catalog, old layout: one event per
// line, two-digit year.  The record functions here serve the Y2K layout too.
#include "tarn_mech.h"

#include "catsieve/magtypes.h"
#include "catsieve/readers.h"
#include "util/calendar.h"

namespace catsieve {

namespace {

const MechLayout kOld = {
    {1, 2, 0}, 1900, {3, 2, 0}, {5, 2, 0}, {8, 2, 0}, {10, 2, 0}, {12, 6, 0},
    {{18, 3, 0}, 21, {22, 5, 0},
     {27, 4, 0}, 31, {32, 5, 0}},
    {37, 7, 0}, {46, 5, 0}, {51, 3, 0}, {54, 4, 0}, {58, 5, 0}, {63, 5, 0},
    {68, 5, 2}, {73, 5, 2},
};

bool select_old(const Line& l) { return mech_select(l, kOld); }
double otime_old(const Line& l) { return mech_otime(l, kOld); }

}  // namespace

double mech_otime(const Line& l, const MechLayout& t) {
  return util::timvar(fint(l, t.year) + t.century, fint(l, t.month), fint(l, t.day),
                      fint(l, t.hour), fint(l, t.minute), freal(l, t.seconds), 1);
}

// The only type this catalog carries is avg; a blank or zero field is no
// magnitude, and the walk goes on to the next listed type.
double mech_mag(const Line& l, const MechLayout& t) {
  for (int i = 0; i < mags.count; ++i) {
    if (mags.list[i] != 16) mag_not_available("tarn mech");
    double m = freal(l, t.avg);
    if (m != 0.0) return m;
  }
  return 0.0;
}

namespace {

bool fields_ok(const Line& l, const MechLayout& t) {
  if (do_depth && !in_range(freal(l, t.depth), zmin, zmax)) return false;
  if (do_mag && !mag_ok(mech_mag(l, t), 0.0)) return false;
  if (do_nsta && !in_range(fint(l, t.nsta), nstmin, nstmax)) return false;
  if (do_rms && !in_range(freal(l, t.rms), rmsmin, rmsmax)) return false;
  if (do_gap && !in_range(freal(l, t.gap), gapmin, gapmax)) return false;
  if (do_close && !in_range(freal(l, t.close), clomin, clomax)) return false;
  if (do_horerr && !in_range(freal(l, t.herr), herrmin, herrmax)) return false;
  if (do_deperr && !in_range(freal(l, t.zerr), zerrmin, zerrmax)) return false;
  return true;
}

}  // namespace

bool mech_select(const Line& l, const MechLayout& t) {
  if (do_otime && !in_range(mech_otime(l, t), otmin, otmax)) return false;
  Place place;
  if (!place_ok(l, t.place, &place)) return false;
  if (field_tests && !fields_ok(l, t)) return false;
  if (!area_ok(place)) return false;
  return true;
}

double match_tarn_mech_mag(const Line& l) { return mech_mag(l, kOld); }

void search_tarn_mech(Stream& s, const Line* first) {
  static const LineReader reader = {kMechLineBuffer, select_old, otime_old,
                                    "%d buf_lines, %d selected\n"};
  search_lines(s, first, reader);
}

}  // namespace catsieve
