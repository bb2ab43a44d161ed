// Placeholder until this format's reader is built: reads the input, selects nothing.
#include "catsieve/readers.h"

namespace catsieve {

void search_full_brim_catalog(Stream& s, const Line*) {
  Line l;
  while (readline(s, 200, &l)) {
  }
}

}  // namespace catsieve
