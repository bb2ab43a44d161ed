// Fields that are not plain numbers inside the record, read by the C
// library as atoi and atof would read their text.
#include "records/field.h"

namespace catsieve {

int fint_slow(const Line& l, Col c) {
  char text[kFieldMax + 1];
  return static_cast<int>(std::strtol(field_text(l, c.col, c.width, text), nullptr, 10));
}

double freal_slow(const Line& l, Col c) {
  char text[kFieldMax + 1];
  double v = std::strtod(field_text(l, c.col, c.width, text), nullptr);
  return c.dec ? v / kTensReal[c.dec] : v;
}

}  // namespace catsieve
