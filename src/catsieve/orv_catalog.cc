// Placeholder until this format's reader is built: reads the input, selects nothing.
#include "catsieve/readers.h"

namespace catsieve {

void search_orv_catalog(Stream& s, const Line*) {
  Line l;
  while (readline(s, 200, &l)) {
  }
}

double match_orv_catalog_mag(const Line&) { return 0.0; }

}  // namespace catsieve
