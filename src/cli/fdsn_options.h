// The two-dash options named as the FDSN event service names its
// parameters, each read by the parameter's row of the shared table; and
// what is checked once every option is read.
#ifndef CLI_FDSN_OPTIONS_H
#define CLI_FDSN_OPTIONS_H

#include "cli/args.h"

namespace catsieve {

// --minlatitude, --maxdepth, --eventtype, ...: one word, set as the table
// sets the parameter of the option's name.
bool qfdsn(ArgCursor& c, RunConfig& cfg, util::Status* err);
// After the last option: the checks that need them all (a minimum above
// its maximum, a magnitude type the format cannot give).
bool finish_options(const ArgCursor& c, RunConfig& cfg, util::Status* err);

}  // namespace catsieve

#endif
