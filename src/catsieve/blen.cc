#include <cstring>

#include "catsieve/field.h"

namespace catsieve {

size_t blen(const char* text) {
  size_t n = std::strlen(text);
  while (n > 0 && text[n - 1] == ' ') --n;
  return n;
}

}  // namespace catsieve
