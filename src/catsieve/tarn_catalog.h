// What the two layouts of the tarn catalog share: the same fields, tests,
// event-type letters and magnitude types at other columns.
#ifndef CATSIEVE_TARN_CATALOG_H
#define CATSIEVE_TARN_CATALOG_H

#include "catsieve/field.h"
#include "catsieve/record_cycle.h"

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

double tarn_otime(const Line& l, const TarnLayout& t);
double tarn_mag(const Line& l, const TarnLayout& t);
bool tarn_select(const Line& l, const TarnLayout& t);
// Reads one stream with the layout's record functions.
void tarn_search(Stream& s, const Line* first, const LineReader& reader);

}  // namespace catsieve

#endif
