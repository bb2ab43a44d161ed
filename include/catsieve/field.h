// Fixed-column fields of a catalog record.  A field is named by its first
// column (from 1) and width; the columns past the end of a record read as
// blanks.  Numbers convert exactly as atoi and atof do on the field's text
// (blanks read as 0, the number ends at the first character that cannot
// continue it) and are divided by 10 to the power of the implied decimals.
#ifndef CATSIEVE_FIELD_H
#define CATSIEVE_FIELD_H

#include <cstdlib>
#include <cstring>

#include "catsieve/stream.h"

namespace catsieve {

struct Col {
  int col;    // first column, counted from 1
  int width;
  int dec;    // implied decimals
};

// Scratch text into which each field is copied and terminated.
extern char dcbuf[];
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

inline int fint(const Line& l, Col c) {
  return static_cast<int>(std::strtol(field_text(l, c.col, c.width, dcbuf), nullptr, 10));
}

inline double freal(const Line& l, Col c) {
  static const double scale[] = {1.0, 10.0, 100.0, 1000.0};
  double v = std::strtod(field_text(l, c.col, c.width, dcbuf), nullptr);
  return c.dec ? v / scale[c.dec] : v;
}

// Length of text up to and including its last character that is not a
// space; 0 for an empty or all-space text.
size_t blen(const char* text);

}  // namespace catsieve

#endif
