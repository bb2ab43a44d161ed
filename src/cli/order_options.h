// The options of the output's order and limits: --orderby, --limit,
// --offset and --max-events.
#ifndef CLI_ORDER_OPTIONS_H
#define CLI_ORDER_OPTIONS_H

#include "cli/args.h"

namespace catsieve {

bool qorderby(ArgCursor& c, RunConfig& cfg, util::Status* err);
bool qlimit(ArgCursor& c, RunConfig& cfg, util::Status* err);
bool qoffset(ArgCursor& c, RunConfig& cfg, util::Status* err);
bool qmax_events(ArgCursor& c, RunConfig& cfg, util::Status* err);

}  // namespace catsieve

#endif
