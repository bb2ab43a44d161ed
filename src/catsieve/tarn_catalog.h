// What the two layouts of the tarn catalog share: the same fields, tests,
// event-type letters and magnitude types at other columns.
#ifndef CATSIEVE_TARN_CATALOG_H
#define CATSIEVE_TARN_CATALOG_H

#include "catsieve/field.h"
#include "catsieve/layout_time.h"
#include "catsieve/magtypes.h"
#include "catsieve/query.h"
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
// The type name of a preferred magnitude, by the letter beside it: the
// letters of the typed magnitudes (W, B, L), else the plain "M".
const char* tarn_pref_type(char c);
// The event-type word of a type letter.
const char* tarn_type_word(char c);
// Reads one stream with the layout's record functions.
void tarn_search(Stream& s, const Line* first, const LineReader& reader, Query& q, Sink& out);

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
ChosenMag tarn_mag(const MagPrefList& mags, const Line& l) {
  double m;
  for (int i = 0; i < mags.count; ++i) {
    int type = mags.list[i];
    switch (type) {
      case kMagPref:
        if (fchar(l, t.preftype) != ' ') return {freal(l, t.pref), type};
        break;
      case kMagMw:
        if (tarn_aux_mag<t>(l, 'W', &m)) return {m, type};
        break;
      case kMagMl:
        if (tarn_aux_mag<t>(l, 'B', &m)) return {m, type};
        break;
      case kMagMlm:
        if (tarn_aux_mag<t>(l, 'L', &m)) return {m, type};
        break;
      case kMagMd:
        if ((m = freal(l, t.coda)) != 0.0) return {m, type};
        break;
      case kMagMx:
        if ((m = freal(l, t.amp)) != 0.0) return {m, type};
        break;
      case kMagAvg: {
        // Whole-number mean of the coda and amplitude magnitudes, each
        // truncated first; the coda magnitude alone when the amplitude
        // magnitude truncates to 0.
        int coda = trunc_int(freal(l, t.coda));
        int amp = trunc_int(freal(l, t.amp));
        int avg = amp == 0 ? coda : static_cast<int>((static_cast<long>(coda) + amp) / 2);
        if (avg != 0) return {static_cast<double>(avg), type};
        break;
      }
      default:
        mag_not_available("tarn catalog");
    }
  }
  return {};
}

template <const TarnLayout& t>
bool tarn_fields_ok(const Query& q, const Line& l) {
  if (q.depth.on && !q.depth.holds(freal(l, t.depth))) return false;
  if (q.mag.on && !mag_ok(q, tarn_mag<t>(q.mags, l).value, 0.0)) return false;
  if (q.nsta.on && !q.nsta.holds(fint(l, t.nsta))) return false;
  if (q.rms.on && !q.rms.holds(freal(l, t.rms))) return false;
  if (q.gap.on && !q.gap.holds(freal(l, t.gap))) return false;
  if (q.close.on && !q.close.holds(freal(l, t.close))) return false;
  if (q.felt && fchar(l, t.etype) != 'F') return false;
  if (q.herr.on && !q.herr.holds(freal(l, t.herr))) return false;
  if (q.zerr.on && !q.zerr.holds(freal(l, t.zerr))) return false;
  return true;
}

template <const TarnLayout& t>
bool tarn_select(const Query& q, const Line& l) {
  if (q.otime.on && !layout_otime_in<t>(q.otime, l)) return false;
  Place place;
  if (!place_ok(q, l, t.place, &place)) return false;
  if (q.field_tests && !tarn_fields_ok<t>(q, l)) return false;
  if (!area_ok(q, place)) return false;
  if (q.etype_on && !tarn_etype_ok(fchar(l, t.etype))) return false;
  return true;
}

template <const TarnLayout& t>
void tarn_describe(const Query& q, const Line& l, Event* e) {
  describe_time(layout_otime<t>(l), l, t.seconds, e);
  describe_place(l, t.place, e);
  describe_solution<t>(l, e);
  ChosenMag m = tarn_mag<t>(q.mags, l);
  describe_mag(m, e);
  if (m.type == kMagPref) e->mag_type = tarn_pref_type(fchar(l, t.preftype));
  e->type = tarn_type_word(fchar(l, t.etype));
}

}  // namespace catsieve

#endif
