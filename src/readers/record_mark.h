// What the record cycle learns of a record before its tests.
#ifndef READERS_RECORD_MARK_H
#define READERS_RECORD_MARK_H

#include "query/event_id.h"

namespace catsieve {

// Whether the record is an event, its ID when the run gives IDs, the line
// it starts at, and whether it goes on a line longer than a record, which
// is read in pieces, each a record.  A record far outside the time test's
// interval fails that test, and is neither checked nor counted by stem.
struct RecordMark {
  bool far = false;
  bool event = true;
  EventId id;
  long long line = 0;
  bool continued = false;
};

}  // namespace catsieve

#endif
