// Selected events as CSV: a header line of the column names, then a row
// per event; an absent value is an empty cell.
#ifndef CATSIEVE_CSV_SINK_H
#define CATSIEVE_CSV_SINK_H

#include "catsieve/event.h"
#include "catsieve/event_text.h"

namespace catsieve {

void csv_begin();
// The row of an event, line end included.
const Text& csv_event(const Event& e);

}  // namespace catsieve

#endif
