// What the two layouts of the tarn catalog share: the same fields, tests,
// event-type letters and magnitude types at other columns.
#ifndef CATSIEVE_TARN_CATALOG_H
#define CATSIEVE_TARN_CATALOG_H

#include "catsieve/criteria.h"
#include "catsieve/field.h"
#include "catsieve/layout_time.h"
#include "catsieve/magtypes.h"
#include "catsieve/record_cycle.h"
#include "util/calendar.h"

namespace catsieve {

struct TarnLayout {
  Col year;
  int century;  // added to the year field
  Col month, day, hour, minute, seconds;
  HemisphereCols place;
  Col depth, amp, nsta, gap, close, rms, coda;
  int etype;  // event-type letter, also the felt mark
  Col herr, zerr;
  int aux1type;
  Col aux1;
  int aux2type;
  Col aux2;
  int preftype;
  Col pref;
};

// The event-type test, on the letters accepted in this run.
bool tarn_etype_ok(char c);
// Reads one stream with the layout's record functions.
void tarn_search(Stream& s, const Line* first, const LineReader& reader);

// The record functions, compiled for the columns of each layout.

// The auxiliary magnitude typed c, from the first auxiliary column pair or
// else the second.
template <const TarnLayout& t>
bool tarn_aux_mag(const Line& l, char c, double* m) {
  if (fchar(l, t.aux1type) == c) {
    *m = freal(l, t.aux1);
    return true;
  }
  if (fchar(l, t.aux2type) == c) {
    *m = freal(l, t.aux2);
    return true;
  }
  return false;
}

template <const TarnLayout& t>
double tarn_mag(const Line& l) {
  double m;
  for (int i = 0; i < mags.count; ++i) {
    switch (mags.list[i]) {
      case 256:
        if (fchar(l, t.preftype) != ' ') return freal(l, t.pref);
        break;
      case 128:
        if (tarn_aux_mag<t>(l, 'W', &m)) return m;
        break;
      case 1:
        if (tarn_aux_mag<t>(l, 'B', &m)) return m;
        break;
      case 2:
        if (tarn_aux_mag<t>(l, 'L', &m)) return m;
        break;
      case 4:
        if ((m = freal(l, t.coda)) != 0.0) return m;
        break;
      case 8:
        if ((m = freal(l, t.amp)) != 0.0) return m;
        break;
      case 16: {
        // Whole-number mean of the coda and amplitude magnitudes, each
        // truncated first; the coda magnitude alone when the amplitude
        // magnitude truncates to 0.
        int coda = trunc_int(freal(l, t.coda));
        int amp = trunc_int(freal(l, t.amp));
        int avg = amp == 0 ? coda : static_cast<int>((static_cast<long>(coda) + amp) / 2);
        if (avg != 0) return avg;
        break;
      }
      default:
        mag_not_available("tarn catalog");
    }
  }
  return 0.0;
}

template <const TarnLayout& t>
bool tarn_fields_ok(const Line& l) {
  if (do_depth && !in_range(freal(l, t.depth), zmin, zmax)) return false;
  if (do_mag && !mag_ok(tarn_mag<t>(l), 0.0)) return false;
  if (do_nsta && !in_range(fint(l, t.nsta), nstmin, nstmax)) return false;
  if (do_rms && !in_range(freal(l, t.rms), rmsmin, rmsmax)) return false;
  if (do_gap && !in_range(freal(l, t.gap), gapmin, gapmax)) return false;
  if (do_close && !in_range(freal(l, t.close), clomin, clomax)) return false;
  if (do_felt && fchar(l, t.etype) != 'F') return false;
  if (do_horerr && !in_range(freal(l, t.herr), herrmin, herrmax)) return false;
  if (do_deperr && !in_range(freal(l, t.zerr), zerrmin, zerrmax)) return false;
  return true;
}

template <const TarnLayout& t>
bool tarn_select(const Line& l) {
  if (do_otime && !layout_otime_in<t>(l)) return false;
  Place place;
  if (!place_ok(l, t.place, &place)) return false;
  if (field_tests && !tarn_fields_ok<t>(l)) return false;
  if (!area_ok(place)) return false;
  if (do_etype && !tarn_etype_ok(fchar(l, t.etype))) return false;
  return true;
}

}  // namespace catsieve

#endif
