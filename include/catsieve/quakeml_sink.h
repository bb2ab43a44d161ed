// Selected events as a QuakeML 1.2 document: an event per record with its
// origin, its magnitude when it has one, and its type.
#ifndef CATSIEVE_QUAKEML_SINK_H
#define CATSIEVE_QUAKEML_SINK_H

#include "catsieve/event.h"
#include "catsieve/event_text.h"

namespace catsieve {

void quakeml_begin();
// number counts the events from 1 and names their resources.
const Text& quakeml_event(const Event& e, long long number);
void quakeml_end();

}  // namespace catsieve

#endif
