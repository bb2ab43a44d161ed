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

// Plain numbers (blanks, a sign, digits and one point) are converted here;
// anything else (exponents, hexadecimal, infinities, very long digit runs)
// goes to the C library, so that the result is always the library's.
struct PlainNumber {
  bool ok;          // false: let the library read the text
  bool negative;
  long long mantissa;
  int fraction;     // digits after the point
};

inline bool is_c_space(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

inline PlainNumber plain_number(const char* p, const char* end) {
  PlainNumber n{false, false, 0, 0};
  while (p < end && is_c_space(*p)) ++p;
  if (p < end && (*p == '+' || *p == '-')) n.negative = *p++ == '-';
  int digits = 0;
  for (; p < end && *p >= '0' && *p <= '9'; ++p, ++digits) n.mantissa = n.mantissa * 10 + (*p - '0');
  if (p < end && *p == '.') {
    for (++p; p < end && *p >= '0' && *p <= '9'; ++p, ++digits, ++n.fraction)
      n.mantissa = n.mantissa * 10 + (*p - '0');
  }
  // 15 digits keep the mantissa below 2^53, where a division by an exact
  // power of ten rounds as the library's conversion does.
  bool letter_follows = p < end && ((*p | 0x20) >= 'a' && (*p | 0x20) <= 'z');
  n.ok = digits <= 15 && !letter_follows;
  if (digits == 0) n.negative = false;  // no number at all reads as +0
  return n;
}

// The bytes of a field that lie within the record; the columns past its end
// are blanks, which end a number just as the end of the field does.
inline PlainNumber field_number(const Line& l, Col c) {
  size_t from = static_cast<size_t>(c.col - 1);
  if (from >= l.n) return PlainNumber{true, false, 0, 0};
  size_t have = l.n - from;
  if (have > static_cast<size_t>(c.width)) have = static_cast<size_t>(c.width);
  return plain_number(l.p + from, l.p + from + have);
}

// The common case first: a field inside the record made of digits only,
// right-aligned behind blanks or blank throughout.
inline bool all_digits(const Line& l, Col c, unsigned long long* value) {
  size_t from = static_cast<size_t>(c.col - 1);
  if (from + static_cast<size_t>(c.width) > l.n || c.width > 15) return false;
  const char* p = l.p + from;
  unsigned long long v = 0;
  bool seen = false;
  // Fields have a fixed width at each use: the loop unrolls into a few
  // instructions a byte.
#pragma GCC unroll 16
  for (int i = 0; i < c.width; ++i) {
    unsigned d = static_cast<unsigned char>(p[i]) - static_cast<unsigned>('0');
    if (d > 9) {
      if (p[i] != ' ' || seen) return false;
      continue;
    }
    seen = true;
    v = v * 10 + d;
  }
  *value = v;
  return true;
}

// The conversions of fields that are not all digits, out of line so that
// the common case stays small enough to be inlined at every use.
int fint_slow(const Line& l, Col c);
double freal_slow(const Line& l, Col c);

inline int fint(const Line& l, Col c) {
  unsigned long long digits;
  if (all_digits(l, c, &digits)) return static_cast<int>(static_cast<long long>(digits));
  return fint_slow(l, c);
}

inline double freal(const Line& l, Col c) {
  static constexpr double scale[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7,
                                     1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
  unsigned long long digits;
  if (all_digits(l, c, &digits)) {
    double v = static_cast<double>(digits);
    return c.dec ? v / scale[c.dec] : v;
  }
  return freal_slow(l, c);
}

// Length of text up to and including its last character that is not a
// space; 0 for an empty or all-space text.
size_t blen(const char* text);

}  // namespace catsieve

#endif
