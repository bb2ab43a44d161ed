// The tests named as the FDSN event service names them, on a record that
// passed the classic tests: its ID against the IDs asked for, then the
// event its reader describes against the bounds.
#ifndef READERS_FDSN_TESTS_H
#define READERS_FDSN_TESTS_H

#include "outputs/event.h"
#include "query/fdsn_filter.h"

namespace catsieve {

// Whether the record's ID is one of those asked for (any, when none is).
bool fdsn_id_ok(const FdsnFilter& f, const EventId& id);
// Whether the event passes every bound given; a value the event lacks
// fails a bound on it.
bool fdsn_event_ok(const FdsnFilter& f, Event& e);

}  // namespace catsieve

#endif
