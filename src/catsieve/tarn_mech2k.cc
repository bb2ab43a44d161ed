// Placeholder until this format's reader is built: reads the input, selects nothing.
#include "catsieve/readers.h"

namespace catsieve {

void search_tarn_mech2k(Stream& s, const Line*) {
  Line l;
  while (readline(s, 200, &l)) {
  }
}

double match_tarn_mech2k_mag(const Line&) { return 0.0; }

}  // namespace catsieve
