// What the two layouts of the tarn catalog share: the same fields, tests,
// event-type letters and magnitude types at other columns.
#ifndef READERS_TARN_CATALOG_H
#define READERS_TARN_CATALOG_H

#include "query/magtypes.h"
#include "query/query.h"
#include "readers/field_tests.h"
#include "readers/layout_time.h"
#include "readers/record_cycle.h"
#include "records/field.h"

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
bool tarn_etype_ok(const LetterSet& accepted, char c);
// The type name of a preferred magnitude, by the letter beside it: the
// letters of the auxiliary magnitudes (W, B, L), D for a coda and X for an
// amplitude magnitude, else the plain "M".
const char* tarn_pref_type(char c);
// The event-type word of a type letter.
const char* tarn_type_word(char c);
// Event-type letters of -etype and the type codes each accepts.
extern const EtypeGroup kTarnTypes[];

// The readers of both layouts; the first line, when given, has been read
// by the layout detector.
void search_tarn_catalog(Stream& s, const Line* first, RunState& st);
void search_tarn_catalog2k(Stream& s, const Line* first, RunState& st);

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
        return ChosenMag{0.0, 0, 0, "tarn catalog"};
    }
  }
  return {};
}

template <const TarnLayout& t>
bool tarn_mag_ok(const Query& q, RunState& st, const Line& l) {
  return mag_in(q, st, tarn_mag<t>(q.mags, l), 0.0);
}
template <const TarnLayout& t>
bool tarn_felt(const Query&, RunState&, const Line& l) {
  return fchar(l, t.etype) == 'F';
}

// The field tests in the order they run.
template <const TarnLayout& t>
inline constexpr Column<Line> kTarnColumns[] = {
    real_column<Line>(Crit::kDepth, t.depth),   test_column<Line>(Crit::kMag, tarn_mag_ok<t>),
    int_column<Line>(Crit::kNsta, t.nsta),      real_column<Line>(Crit::kRms, t.rms),
    real_column<Line>(Crit::kGap, t.gap),       real_column<Line>(Crit::kClose, t.close),
    test_column<Line>(Crit::kFelt, tarn_felt<t>), real_column<Line>(Crit::kHerr, t.herr),
    real_column<Line>(Crit::kZerr, t.zerr),
};

template <const TarnLayout& t>
bool tarn_select(const Query& q, RunState& st, const Line& l) {
  if (st.otime.on && !layout_otime_in<t>(st.days, st.otime, l)) return false;
  Place place;
  if (!place_ok(q, l, t.place, &place)) return false;
  if (st.field_tests && !fields_ok<kTarnColumns<t>>(q, st, l)) return false;
  if (!area_ok(q, place)) return false;
  if (q.etype_on && !tarn_etype_ok(st.accepted, fchar(l, t.etype))) return false;
  return true;
}

template <const TarnLayout& t>
void tarn_describe(const Query& q, DayCache& days, const Line& l, Event* e) {
  describe_time(layout_otime<t>(days, l), l, t.seconds, e);
  describe_place(l, t.place, e);
  describe_solution<t>(l, e);
  ChosenMag m = tarn_mag<t>(q.mags, l);
  describe_mag(m, e);
  if (m.type == kMagPref) e->mag_type = tarn_pref_type(fchar(l, t.preftype));
  e->type = tarn_type_word(fchar(l, t.etype));
}

// Reads one stream with the layout's record functions.
template <const TarnLayout& t>
void tarn_search(Stream& s, const Line* first, RunState& st) {
  static constexpr LineReader reader = {200,
                                        true,
                                        tarn_select<t>,
                                        layout_otime<t>,
                                        tarn_describe<t>,
                                        "%d lines, %d selected\n",
                                        &kLayoutEventFields<t>};
  st.field_tests = any_field_test(st.q, kTarnColumns<t>);
  search_lines(s, first, reader, st);
}

}  // namespace catsieve

#endif
