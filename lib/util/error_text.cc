// Texts of system error numbers and of the calendar's own numbered errors.
#include "util/error_text.h"

#include <cstring>

namespace util {

namespace {

// The texts of kErrorBase + 1 on.
const char* const kCalendarErrors[] = {"Illegal day", "Illegal month", "Illegal year"};
constexpr int kCalendarErrorCount = sizeof kCalendarErrors / sizeof kCalendarErrors[0];

// One above the highest error number the system describes.
int system_error_count() {
  int n = 0;
  for (int i = 1; i < kErrorBase; ++i)
    if (strerrordesc_np(i)) n = i + 1;
  return n;
}

}  // namespace

std::string error_text(int number) {
  if (number == 0) return std::string();
  if (number >= 1 && number < system_error_count()) return std::strerror(number);
  // Computed in a wider type so that extreme numbers cannot overflow.
  long i = static_cast<long>(number) - kErrorBase;
  if (i >= 1 && i <= kCalendarErrorCount) return kCalendarErrors[i - 1];
  return "Error " + std::to_string(number);
}

}  // namespace util
