// An error as a value: the text a run ends with and its exit status.
#ifndef UTIL_STATUS_H
#define UTIL_STATUS_H

#include <cstdarg>
#include <string>

namespace util {

struct Status {
  int exit = 0;        // the exit status; 0 for a run that went well
  bool named = false;  // whether the program's name and ": " go before the text
  std::string text;    // the whole message, line end included; may be empty

  bool ok() const { return exit == 0 && text.empty(); }
};

// A message of printf format, with or without the program's name before it.
Status failure(int exit, const char* format, ...) __attribute__((format(printf, 2, 3)));
Status named_failure(int exit, const char* format, ...) __attribute__((format(printf, 2, 3)));
// printf into a string.
std::string format_text(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string vformat_text(const char* format, va_list args);

}  // namespace util

#endif
