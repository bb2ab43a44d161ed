// -help, --help and --version.  -help lists the classic option table on
// standard error; --help writes the grouped help, and --version the
// version, on standard output.  Both are made from the option table.
#ifndef CLI_HELP_H
#define CLI_HELP_H

#include <string>

#include "cli/args.h"

namespace catsieve {

// The version of the program, as the build names it.
extern const char* const kVersion;

// The grouped help, with progname in the usage line.
std::string grouped_help(const std::string& progname);

bool help_handler(ArgCursor& c, RunConfig& cfg, util::Status* err);
bool long_help_handler(ArgCursor& c, RunConfig& cfg, util::Status* err);
bool version_handler(ArgCursor& c, RunConfig& cfg, util::Status* err);

}  // namespace catsieve

#endif
