// Layout detection of the two tarn formats: the first line of the first
// input shows where the hemisphere columns are, and that layout holds for
// the rest of the run.
#ifndef READERS_DETECT_H
#define READERS_DETECT_H

#include "inputs/stream.h"
#include "readers/run_state.h"
#include "util/status.h"

namespace catsieve {

// Readers of the tarn catalog and mechanism formats in either layout; an
// error when the first line shows neither.
util::Status search_tarn_catalog_auto(Stream& s, RunState& st);
util::Status search_tarn_mech_auto(Stream& s, RunState& st);

}  // namespace catsieve

#endif
