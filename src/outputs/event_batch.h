// Records that an output form describes, formatted in batches.  The record
// cycle hands each selected record over as it comes; its text goes out in
// the records' order.  A large selection is formatted by the searching
// thread and a helper thread of the run at once, in chunks of a batch,
// while the next batch is read.
#ifndef OUTPUTS_EVENT_BATCH_H
#define OUTPUTS_EVENT_BATCH_H

#include <memory>

#include "outputs/event.h"
#include "outputs/form_settings.h"
#include "outputs/forms.h"
#include "outputs/sink.h"
#include "query/event_id.h"
#include "query/query.h"
#include "records/day_cache.h"
#include "records/line.h"

namespace catsieve {

// A reader's decoding of the record that view shows into an event; days is
// the calling thread's own.
using Describe = void (*)(const Query& q, DayCache& days, const Line& view, Event* e);

struct Batches;

class EventBatch {
 public:
  // Text goes to out in the form's way, as the settings ask; without
  // helper, all of it is formatted by the calling thread.
  EventBatch(Sink& out, const Form& form, const FormSettings& settings, bool helper = true);
  ~EventBatch();
  EventBatch(const EventBatch&) = delete;
  EventBatch& operator=(const EventBatch&) = delete;

  // One record to describe and format; number counts the events of the run
  // from 1.  The view's bytes are copied, and so is the event when the
  // caller has described it already (else null); the query must stay as it
  // is until the next flush.  When an event formatted so far lacks a listed
  // magnitude type, the text of the events before it goes out, the rest is
  // dropped, and the catalog is named in the result (else null).
  const char* add(const Line& view, const Query& q, Describe describe, long long number,
                  const EventId& id, const Event* described = nullptr);
  // Everything handed over so far formatted and out, in order; the result
  // as add's.
  const char* flush();

 private:
  std::unique_ptr<Batches> b_;
};

}  // namespace catsieve

#endif
