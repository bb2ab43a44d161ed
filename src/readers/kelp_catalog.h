// The kelp catalog reader.
#ifndef READERS_KELP_CATALOG_H
#define READERS_KELP_CATALOG_H

#include "inputs/stream.h"
#include "readers/run_state.h"

namespace catsieve {

void search_kelp_catalog(Stream& s, RunState& st);
// Month and day of a day of the year, as the kelp catalog dates its events.
void dy_to_mdy(int doy, int year, int* month, int* day);

}  // namespace catsieve

#endif
