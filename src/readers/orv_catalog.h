// The orv catalog reader.
#ifndef READERS_ORV_CATALOG_H
#define READERS_ORV_CATALOG_H

#include "inputs/stream.h"
#include "query/magtypes.h"
#include "readers/run_state.h"

namespace catsieve {

void search_orv_catalog(Stream& s, RunState& st);
// The magnitude that the preference list picks for a record: the first
// listed type with a value above 0 wins, with the observations of its
// column; none gives 0 and no observations.
ChosenMag match_orv_catalog_mag(const MagPrefList& mags, const Line& record);

}  // namespace catsieve

#endif
