// Fields that are not plain digit runs: blanks, signs and points are read
// here, and anything unusual goes to the C library.
#include "catsieve/field.h"

namespace catsieve {

char dcbuf[kFieldMax + 1];
char xx[kFieldMax + 1];

namespace {

constexpr double kScale[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7,
                             1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};

}  // namespace

int fint_slow(const Line& l, Col c) {
  static const long long scale[] = {1, 10, 100, 1000, 10000, 100000, 1000000, 10000000,
                                    100000000, 1000000000, 10000000000LL, 100000000000LL,
                                    1000000000000LL, 10000000000000LL, 100000000000000LL,
                                    1000000000000000LL};
  PlainNumber n = field_number(l, c);
  if (!n.ok)
    return static_cast<int>(std::strtol(field_text(l, c.col, c.width, dcbuf), nullptr, 10));
  long long v = n.fraction ? n.mantissa / scale[n.fraction] : n.mantissa;
  return static_cast<int>(n.negative ? -v : v);
}

double freal_slow(const Line& l, Col c) {
  PlainNumber n = field_number(l, c);
  double v;
  if (n.ok) {
    v = static_cast<double>(n.mantissa);
    if (n.fraction) v /= kScale[n.fraction];
    if (n.negative) v = -v;
  } else {
    v = std::strtod(field_text(l, c.col, c.width, dcbuf), nullptr);
  }
  return c.dec ? v / kScale[c.dec] : v;
}

}  // namespace catsieve
