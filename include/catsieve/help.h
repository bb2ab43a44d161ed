// --help and --version: the grouped help and the version, on standard
// output.  The classic -help table stays as it is.
#ifndef CATSIEVE_HELP_H
#define CATSIEVE_HELP_H

#include <cstdio>

namespace catsieve {

// The version of the program, as the build names it.
extern const char* const kVersion;

// Writes the grouped help, with progname in the usage line.
void write_help(std::FILE* out, const char* progname);

// Handlers of --help and --version: they write to standard output and end
// the run with status 0, or 1 when standard output cannot be written.
[[noreturn]] void qlong_help();
[[noreturn]] void qversion();

}  // namespace catsieve

#endif
