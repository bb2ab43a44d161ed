// The full brim catalog reader.
#ifndef READERS_FULL_BRIM_H
#define READERS_FULL_BRIM_H

#include "inputs/stream.h"
#include "readers/record_cycle.h"
#include "readers/run_state.h"

namespace catsieve {

void search_full_brim_catalog(Stream& s, RunState& st);
// Event-type letters of -etype and the type codes each accepts.
extern const EtypeGroup kFullBrimTypes[];

}  // namespace catsieve

#endif
