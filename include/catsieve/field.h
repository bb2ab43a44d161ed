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

// Scratch texts into which a field is copied and terminated: dcbuf for the
// numbers of every reader, xx for the optional fields of the brim readers.
constexpr int kFieldMax = 80;
extern char dcbuf[];
extern char xx[];

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

// A plain number read off a field: its digits as one whole number, the
// count of them after the point, and its sign.
struct PlainNumber {
  bool negative;
  long long mantissa;
  int fraction;  // digits after the point
};

// The common case: a field of at most 15 columns inside the record holding
// blanks, an optional sign, digits with at most one point, and then only
// blanks; the first blank after the number ends it, as it ends the
// library's reading.  Anything else (exponents, infinities, tabs, columns
// past the record's end) is read by the C library, so that the result is
// always the library's.
inline bool short_number(const Line& l, Col c, PlainNumber* out) {
  size_t from = static_cast<size_t>(c.col - 1);
  if (from + static_cast<size_t>(c.width) > l.n || c.width > 15) return false;
  const char* p = l.p + from;
  enum { kLead, kWhole, kFraction, kDone } at = kLead;
  PlainNumber n{false, 0, 0};
  bool digits = false;
  // Fields have a fixed width at each use: the loop unrolls into a few
  // instructions a byte.
#pragma GCC unroll 16
  for (int i = 0; i < c.width; ++i) {
    if (at == kDone) break;
    char ch = p[i];
    unsigned d = static_cast<unsigned char>(ch) - static_cast<unsigned>('0');
    if (d <= 9) {
      n.mantissa = n.mantissa * 10 + d;
      digits = true;
      if (at == kFraction) ++n.fraction;
      else at = kWhole;
    } else if (ch == ' ') {
      if (at != kLead) at = kDone;
    } else if (ch == '.' && at != kFraction) {
      at = kFraction;
    } else if ((ch == '-' || ch == '+') && at == kLead) {
      n.negative = ch == '-';
      at = kWhole;
    } else {
      return false;
    }
  }
  if (!digits) n.negative = false;  // no number at all reads as +0
  *out = n;
  return true;
}

// The other fields, through the C library, out of line so that the common
// case stays small enough to be inlined at every use.
int fint_slow(const Line& l, Col c);
double freal_slow(const Line& l, Col c);

constexpr long long kTens[] = {1, 10, 100, 1000, 10000, 100000, 1000000, 10000000,
                               100000000, 1000000000, 10000000000LL, 100000000000LL,
                               1000000000000LL, 10000000000000LL, 100000000000000LL,
                               1000000000000000LL};
constexpr double kTensReal[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7,
                                1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};

// The integer part, as atoi reads it.
inline int plain_int(const PlainNumber& n) {
  long long v = n.fraction ? n.mantissa / kTens[n.fraction] : n.mantissa;
  return static_cast<int>(n.negative ? -v : v);
}

// With at most 15 digits the mantissa is below 2^53 and exact, and one
// division by an exact power of ten rounds as the library's conversion does.
inline double plain_real(const PlainNumber& n) {
  double v = static_cast<double>(n.mantissa);
  if (n.fraction) v /= kTensReal[n.fraction];
  return n.negative ? -v : v;
}

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

// Length of text up to and including its last character that is not a
// space; 0 for an empty or all-space text.
size_t blen(const char* text);

}  // namespace catsieve

#endif
