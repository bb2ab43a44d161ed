// Records that an output form describes, formatted in batches.  The record
// cycle hands each selected record over as it comes; its text goes out in
// the records' order.  A large selection is formatted by this thread and a
// helper thread at once, in chunks of a batch, while the next batch is
// read.
#ifndef CATSIEVE_EVENT_BATCH_H
#define CATSIEVE_EVENT_BATCH_H

#include "catsieve/event.h"
#include "catsieve/event_text.h"
#include "catsieve/query.h"
#include "catsieve/stream.h"

namespace catsieve {

// A reader's decoding of the record that view shows into an event.
using Describe = void (*)(const Query& q, const Line& view, Event* e);
// An output form's text of an event; number counts the events of the run
// from 1.  The text is the calling thread's own.
using Format = const Text& (*)(const Event& e, long long number);

// One record to describe and format.  The view's bytes are copied; the
// query must not change until the next batch_flush.
void batch_record(const Line& view, const Query& q, Describe describe, Format format,
                  long long number);
// Everything handed over so far formatted and out, in order.
void batch_flush();

}  // namespace catsieve

#endif
