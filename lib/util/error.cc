// Fatal and non-fatal message lines on standard error.
#include "util/qerror.h"

#include <cerrno>
#include <cstdio>

#include "util/quit.h"

namespace util {

const char* progname = nullptr;

void msg(const char* format, va_list args) {
  // The system error indicator is read first: writing may change it.
  int saved = errno;
  if (progname) std::fprintf(stderr, "%s: ", progname);
  std::vfprintf(stderr, format, args);
  if (const char* text = ermsg(saved)) std::fprintf(stderr, " (%s)", text);
  std::fputc('\n', stderr);
}

void error(const char* format, ...) {
  va_list args;
  va_start(args, format);
  msg(format, args);
  va_end(args);
  quit(1);
}

void report(const char* format, ...) {
  va_list args;
  va_start(args, format);
  msg(format, args);
  va_end(args);
}

void out_of_memory() {
  std::fprintf(stderr, "%s: out of memory\n", progname ? progname : "catsieve");
  quit(1);
}

}  // namespace util
