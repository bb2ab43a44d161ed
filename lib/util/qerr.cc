// Texts of system error numbers and of the library's own numbered errors.
#include <cstdio>
#include <cstring>

#include "util/qerror.h"

namespace util {

const int errbase = 1000;
const char* const q_errlist[] = {
    "Error 0",
    "Illegal day",
    "Illegal month",
    "Illegal year",
    "Illegal value",
    "Not enough data",
    "Convergence failure",
    "Underflow",
    "No such station",
    "Inappropriate structure size",
    "Singular matrix",
    "Focal depth too great",
    "No such phase",
    "Constraints are inconsistent",
    "Solution is unbounded",
    "Can't find desired record",
    "No current origin",
    "No current average magnitude",
    "Root not bracketed",
};
const int nerr = sizeof q_errlist / sizeof q_errlist[0];

namespace {

// One above the highest error number the system describes.
int system_error_count() {
  static int count = [] {
    int n = 0;
    for (int i = 1; i < errbase; ++i)
      if (strerrordesc_np(i)) n = i + 1;
    return n;
  }();
  return count;
}

}  // namespace

const char* ermsg(int number) {
  static char composed[32];
  if (number == 0) return nullptr;
  if (number >= 1 && number < system_error_count()) return std::strerror(number);
  // Computed in a wider type so that extreme numbers cannot overflow.
  long i = static_cast<long>(number) - errbase;
  if (i > 0 && i < nerr) return q_errlist[i];
  std::snprintf(composed, sizeof composed, "Error %d", number);
  return composed;
}

}  // namespace util
