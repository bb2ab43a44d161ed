// Messages built as values.
#include "util/status.h"

#include <cstdarg>
#include <cstdio>

namespace util {

std::string vformat_text(const char* format, va_list args) {
  va_list again;
  va_copy(again, args);
  int n = std::vsnprintf(nullptr, 0, format, again);
  va_end(again);
  std::string text(n > 0 ? static_cast<size_t>(n) : 0, '\0');
  if (n > 0) std::vsnprintf(&text[0], text.size() + 1, format, args);
  return text;
}

std::string format_text(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::string text = vformat_text(format, args);
  va_end(args);
  return text;
}

Status failure(int exit, const char* format, ...) {
  va_list args;
  va_start(args, format);
  Status s{exit, false, vformat_text(format, args)};
  va_end(args);
  return s;
}

Status named_failure(int exit, const char* format, ...) {
  va_list args;
  va_start(args, format);
  Status s{exit, true, vformat_text(format, args)};
  va_end(args);
  return s;
}

}  // namespace util
