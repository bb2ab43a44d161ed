#include <cstring>

#include "util/cmd_opt.h"

namespace util {

const char* verify(const char* text, const char* set) {
  for (const char* p = text; *p; ++p)
    if (!std::strchr(set, *p)) return p;
  return nullptr;
}

}  // namespace util
