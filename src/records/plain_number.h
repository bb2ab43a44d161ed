// Plain numbers of fixed-column fields: the common text of a field (blanks,
// a sign, digits and a point) read without the C library, exactly as it
// reads it.
#ifndef RECORDS_PLAIN_NUMBER_H
#define RECORDS_PLAIN_NUMBER_H

#include <cstddef>

#include "records/line.h"

namespace catsieve {

// A plain number read off a field: its digits as one whole number, the
// count of them after the point, and its sign.
struct PlainNumber {
  bool negative;
  long long mantissa;
  int fraction;  // digits after the point
  bool text;     // anything but blanks in the field
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
  PlainNumber n{false, 0, 0, false};
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
  n.text = at != kLead;
  *out = n;
  return true;
}

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

}  // namespace catsieve

#endif
