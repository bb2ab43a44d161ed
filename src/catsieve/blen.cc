#include <cstring>

#include "catsieve/field.h"

namespace catsieve {

char dcbuf[kFieldMax + 1];
char xx[kFieldMax + 1];

size_t blen(const char* text) {
  size_t n = std::strlen(text);
  while (n > 0 && text[n - 1] == ' ') --n;
  return n;
}

}  // namespace catsieve
