// One sorted answer from the held selections of several searches, each of
// its own catalog and format: their records merged in the order asked for,
// ties in the order of the searches and then of their inputs, and those
// of the window of offset and limit written as one document.
#ifndef ENGINE_MERGED_ORDER_H
#define ENGINE_MERGED_ORDER_H

#include <vector>

#include "engine/search.h"

namespace catsieve {

// Keeps of the selections only the records that may still reach the
// window: the best offset + limit - 1 of them all, under a limit.
void trim_held(std::vector<HeldSelection>& parts, const OrderSettings& order);
// The records held in all of the selections.
long long held_count(const std::vector<HeldSelection>& parts);
// Writes the window of the merged order in the request's form and
// settings; the result is a listed magnitude type's fault, as search's.
// The caller flushes the sink.
util::Status write_merged(const std::vector<HeldSelection>& parts, const Request& r, Sink& out);

}  // namespace catsieve

#endif
