#include "util/quit.h"

#include <cstdlib>

namespace util {

void quit(int status) {
#ifdef CATSIEVE_FUZZ
  throw Quit{status};
#else
  std::exit(status);
#endif
}

}  // namespace util
