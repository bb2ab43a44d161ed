// Fatal-message routine and the error-number texts of the util library.
#ifndef UTIL_QERROR_H
#define UTIL_QERROR_H

#include <cstdarg>

namespace util {

// Program name that prefixes every message line; none until main sets it.
extern const char* progname;

// Library error numbers start just above errbase; q_errlist[i] is the text
// of number errbase + i.
extern const int errbase;
extern const int nerr;
extern const char* const q_errlist[];

// Writes "<progname>: <message>[ (<system error text>)]\n" to standard error
// and exits with status 1.
[[noreturn]] void error(const char* format, ...)
    __attribute__((format(printf, 1, 2)));
// Writes the same line and returns.
void report(const char* format, ...) __attribute__((format(printf, 1, 2)));
// The writer behind both.
void msg(const char* format, va_list args);

// Text of a system or library error number; none (nullptr) for 0.  The
// "Error %d" texts live in a buffer that the next such call overwrites.
const char* ermsg(int number);

// "<progname>: out of memory" on standard error, exit status 1.
[[noreturn]] void out_of_memory();

}  // namespace util

#endif
