// Where selected records go: out as they stood in the input (the classic
// output), or described as CSV rows, GeoJSON features or QuakeML events,
// or only counted.  One sink serves the whole run, so that several inputs
// make one document.
#ifndef CATSIEVE_SINK_H
#define CATSIEVE_SINK_H

#include "catsieve/event.h"
#include "catsieve/event_batch.h"
#include "catsieve/output.h"
#include "catsieve/query.h"
#include "catsieve/stream.h"

namespace catsieve {

enum class OutputForm { kRecords, kCsv, kGeoJson, kQuakeMl, kCount };

struct Sink {
  OutputForm form = OutputForm::kRecords;
  bool begun = false;  // the opening text is out
  long long written = 0;  // records put out in the run in a form other than records
};

// Whether the form describes records as events (and so needs a reader's
// decoding of them).
inline bool sink_describes(const Sink& s) {
  return s.form != OutputForm::kRecords && s.form != OutputForm::kCount;
}

// The opening text of the chosen form (the CSV header, the start of the
// document) goes out with the first event, or at the end: a run that ends
// in an error before any event leaves no document begun.
void sink_begin(Sink& s);
// The chosen form's text of an event.
Format sink_format(const Sink& s);
// The closing text of the document, or the count, after the events still
// being formatted.
void sink_end(Sink& s);

// A record put out: raw is the record as it stood in the input, view the
// line its reader decodes (the same line, but for full brim records).
inline void sink_record(Sink& s, const Line& raw, const Query& q, const Line& view,
                        Describe describe) {
  if (s.form == OutputForm::kRecords) {
    out_span(raw.p, raw.n);
    return;
  }
  ++s.written;
  if (s.form == OutputForm::kCount) return;
  sink_begin(s);
  batch_record(view, q, describe, sink_format(s), s.written);
}

// The sink that the output-form options choose, and their handlers: only
// one form may be given.
Sink& building_sink();
void reset_sink();
void qcsv();
void qgeojson();
void qquakeml();
void qcount();

}  // namespace catsieve

#endif
