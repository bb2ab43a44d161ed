// Fields that are not plain numbers inside the record, read by the C
// library as atoi and atof would read their text.
#include "catsieve/field.h"

namespace catsieve {

thread_local char dcbuf[kFieldMax + 1];

int fint_slow(const Line& l, Col c) {
  return static_cast<int>(std::strtol(field_text(l, c.col, c.width, dcbuf), nullptr, 10));
}

double freal_slow(const Line& l, Col c) {
  double v = std::strtod(field_text(l, c.col, c.width, dcbuf), nullptr);
  return c.dec ? v / kTensReal[c.dec] : v;
}

}  // namespace catsieve
