// Fields the plain way: copied into a terminated buffer and converted by
// atoi or atof, then divided by 10 to the power of the implied decimals.
#ifndef CATSIEVE_FIELD_H
#define CATSIEVE_FIELD_H

#include <cstdlib>
#include <cstring>

#include "catsieve/plain_number.h"
#include "catsieve/stream.h"

namespace catsieve {


constexpr int kFieldMax = 80;
extern char dcbuf[];
extern char xx[];

inline char* field_text(const Line& l, int col, int width, char* buf) {
  for (int i = 0; i < width; ++i) {
    size_t at = static_cast<size_t>(col - 1 + i);
    buf[i] = at < l.n ? l.p[at] : ' ';
  }
  buf[width] = '\0';
  return buf;
}

inline char fchar(const Line& l, int col) {
  size_t at = static_cast<size_t>(col - 1);
  return at < l.n ? l.p[at] : ' ';
}

inline int fint(const Line& l, Col c) { return std::atoi(field_text(l, c.col, c.width, dcbuf)); }

inline double freal(const Line& l, Col c) {
  static const double kTen[] = {1, 10, 100, 1000, 10000};
  return std::atof(field_text(l, c.col, c.width, dcbuf)) / kTen[c.dec];
}

size_t blen(const char* text);

}  // namespace catsieve

#endif
