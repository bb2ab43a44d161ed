// Fields that are not plain digit runs: blanks, signs and points are read
// here, and anything unusual goes to the C library.
#include "catsieve/field.h"

namespace catsieve {

char dcbuf[kFieldMax + 1];
char xx[kFieldMax + 1];

int fint_slow(const Line& l, Col c) {
  PlainNumber n = field_number(l, c);
  if (n.ok) return plain_int(n);
  return static_cast<int>(std::strtol(field_text(l, c.col, c.width, dcbuf), nullptr, 10));
}

double freal_slow(const Line& l, Col c) {
  PlainNumber n = field_number(l, c);
  double v = n.ok ? plain_real(n) : std::strtod(field_text(l, c.col, c.width, dcbuf), nullptr);
  return c.dec ? v / kTensReal[c.dec] : v;
}

}  // namespace catsieve
