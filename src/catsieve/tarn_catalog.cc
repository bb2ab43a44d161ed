// The tarn network's hypocentre catalog, old layout: one event per line,
// two-digit year.  The record functions here serve the Y2K layout too.
#include "tarn_catalog.h"

#include "catsieve/magtypes.h"
#include "catsieve/readers.h"
#include "util/calendar.h"

namespace catsieve {

namespace {

const TarnLayout kOld = {
    {1, 2, 0}, 1900, {3, 2, 0}, {5, 2, 0}, {7, 2, 0}, {9, 2, 0}, {11, 4, 2},
    {{15, 2, 0}, 17, {18, 4, 2},
     {22, 3, 0}, 25, {26, 4, 2}},
    {30, 5, 2}, {35, 2, 1}, {37, 3, 0}, {40, 3, 0}, {43, 3, 0}, {46, 4, 2}, {68, 2, 1},
    77,
    {81, 4, 2}, {85, 4, 2},
    115, {116, 3, 2}, 122, {123, 3, 2}, 139, {140, 3, 2},
};

// Event-type letters of -etype and the type codes each accepts.
const EtypeGroup kTarnTypes[] = {
    {'B', "QRNB"}, {'E', "EMTLF"}, {'F', "F"}, {'N', "N"}, {'Q', "Q"}, {'R', "R"},
};

LetterSet accepted;

// The auxiliary magnitude typed c, from the first auxiliary column pair or
// else the second.
bool aux_mag(const Line& l, const TarnLayout& t, char c, double* m) {
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

bool etype_ok(char c) {
  if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  if (c == ' ' || c == '-' || c == '*' || c == 'M') c = 'E';
  return accepted.contains(c) || (c == 'F' && accepted.contains('E'));
}

bool select_old(const Line& l) { return tarn_select(l, kOld); }
double otime_old(const Line& l) { return tarn_otime(l, kOld); }

}  // namespace

double tarn_otime(const Line& l, const TarnLayout& t) {
  return util::timvar(fint(l, t.year) + t.century, fint(l, t.month), fint(l, t.day),
                      fint(l, t.hour), fint(l, t.minute), freal(l, t.seconds), 1);
}

double tarn_mag(const Line& l, const TarnLayout& t) {
  double m;
  for (int i = 0; i < mags.count; ++i) {
    switch (mags.list[i]) {
      case 256:
        if (fchar(l, t.preftype) != ' ') return freal(l, t.pref);
        break;
      case 128:
        if (aux_mag(l, t, 'W', &m)) return m;
        break;
      case 1:
        if (aux_mag(l, t, 'B', &m)) return m;
        break;
      case 2:
        if (aux_mag(l, t, 'L', &m)) return m;
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

bool tarn_select(const Line& l, const TarnLayout& t) {
  if (do_otime && !in_range(tarn_otime(l, t), otmin, otmax)) return false;
  Place place;
  if (!place_ok(l, t.place, &place)) return false;
  if (do_depth && !in_range(freal(l, t.depth), zmin, zmax)) return false;
  if (do_mag && !mag_ok(tarn_mag(l, t), 0.0)) return false;
  if (do_nsta && !in_range(fint(l, t.nsta), nstmin, nstmax)) return false;
  if (do_rms && !in_range(freal(l, t.rms), rmsmin, rmsmax)) return false;
  if (do_gap && !in_range(freal(l, t.gap), gapmin, gapmax)) return false;
  if (do_close && !in_range(freal(l, t.close), clomin, clomax)) return false;
  if (do_felt && fchar(l, t.etype) != 'F') return false;
  if (do_horerr && !in_range(freal(l, t.herr), herrmin, herrmax)) return false;
  if (do_deperr && !in_range(freal(l, t.zerr), zerrmin, zerrmax)) return false;
  if (!area_ok(place)) return false;
  if (do_etype && !etype_ok(fchar(l, t.etype))) return false;
  return true;
}

void tarn_search(Stream& s, const Line* first, const LineReader& reader) {
  if (do_etype) accepted = build_etypes(kTarnTypes, sizeof kTarnTypes / sizeof kTarnTypes[0]);
  search_lines(s, first, reader);
}

double match_tarn_catalog_mag(const Line& l) { return tarn_mag(l, kOld); }

void search_tarn_catalog(Stream& s, const Line* first) {
  static const LineReader reader = {200, select_old, otime_old, "%d lines, %d selected\n"};
  tarn_search(s, first, reader);
}

}  // namespace catsieve
