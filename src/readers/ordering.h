// The order and limits of a run's output.  In catalog order the selected
// records stream through a window, the first offset - 1 skipped, and once
// the limit is out nothing more is read.  A sorting order holds copies of
// them (only the best offset + limit - 1 under a limit, else at most
// max_events, past which the run ends with an error and writes none) and
// puts them out when the reading ends, whatever ended it.  --limit and
// --offset count events in the forms that describe them, and records in
// the others.
#ifndef READERS_ORDERING_H
#define READERS_ORDERING_H

#include "outputs/event_batch.h"
#include "outputs/forms.h"
#include "outputs/order_settings.h"
#include "readers/held_records.h"
#include "readers/record_mark.h"
#include "readers/run_state.h"
#include "records/line.h"
#include "util/status.h"

namespace catsieve {

struct RunOrder {
  RunOrder(const OrderSettings& s, FormKind kind);

  const OrderSettings& settings;
  // Held and sorted; a count is the same in any order, and streams.
  bool sorting;
  long long streamed = 0;  // records that reached the window so far
  HeldRecords held;
  bool exceeded = false;  // a sort without a limit met more than max_events
};

// A record the run selected, as emit hands it over: raw as it stood in the
// input, view the line its reader describes.  Sets st.done once the limit
// is out, or when the sort can go no further.
void order_record(RunState& st, const Line& raw, const Line& view, Describe describe,
                  const RecordMark& mark);
// After the reading: the held records out in order, those of the window.
void put_held(RunState& st);
// The run's error when a sort without a limit met too many records.
util::Status too_many_to_sort(const OrderSettings& s);

}  // namespace catsieve

#endif
