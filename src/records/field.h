// Fixed-column fields of a catalog record.  A field is named by its first
// column (from 1) and width; the columns past the end of a record read as
// blanks.  Numbers convert exactly as atoi and atof do on the field's text
// (blanks read as 0, the number ends at the first character that cannot
// continue it) and are divided by 10 to the power of the implied decimals.
#ifndef RECORDS_FIELD_H
#define RECORDS_FIELD_H

#include <cstdlib>
#include <cstring>

#include "records/line.h"
#include "records/plain_number.h"

namespace catsieve {

// The widest field of any layout.
constexpr int kFieldMax = 80;

// Copies the field into buf (at least width + 1 bytes) and terminates it.
inline char* field_text(const Line& l, int col, int width, char* buf) {
  size_t from = static_cast<size_t>(col - 1);
  size_t have = from < l.n ? l.n - from : 0;
  size_t w = static_cast<size_t>(width);
  if (have > w) have = w;
  std::memcpy(buf, l.p + from, have);
  std::memset(buf + have, ' ', w - have);
  buf[w] = '\0';
  return buf;
}

inline char fchar(const Line& l, int col) {
  size_t i = static_cast<size_t>(col - 1);
  return i < l.n ? l.p[i] : ' ';
}

// The other fields, through the C library, out of line so that the common
// case stays small enough to be inlined at every use.
int fint_slow(const Line& l, Col c);
double freal_slow(const Line& l, Col c);

inline int fint(const Line& l, Col c) {
  PlainNumber n;
  if (short_number(l, c, &n)) return plain_int(n);
  return fint_slow(l, c);
}

inline double freal(const Line& l, Col c) {
  PlainNumber n;
  if (!short_number(l, c, &n)) return freal_slow(l, c);
  double v = plain_real(n);
  return c.dec ? v / kTensReal[c.dec] : v;
}

}  // namespace catsieve

#endif
