// What changes while a search runs, owned by the run: the lower time bound
// carried from one input to the next, the tarn layout the first input
// showed, the event-type letters accepted, the day cache of the searching
// thread, the output form's progress and the faults met.  The readers get
// it beside the query, which they only read.
#ifndef READERS_RUN_STATE_H
#define READERS_RUN_STATE_H

#include "outputs/event_batch.h"
#include "outputs/forms.h"
#include "outputs/messages.h"
#include "outputs/sink.h"
#include "query/query.h"
#include "readers/stem_counter.h"
#include "records/day_cache.h"

namespace catsieve {

// Accepted event-type letters of the run's format.
struct LetterSet {
  bool has[256] = {};
  bool contains(char c) const { return has[static_cast<unsigned char>(c)]; }
};

struct RunOrder;

struct RunState {
  RunState(const Query& query, Sink& sink, const Form& f, MessageSink& m)
      : q(query), out(sink), form(f), messages(m), otime(query.otime) {}

  const Query& q;
  Sink& out;
  const Form& form;
  MessageSink& messages;
  EventBatch* batch = nullptr;             // the formatting of a form that describes events
  const FormSettings* settings = nullptr;  // what the run asks of its form
  RunOrder* order = nullptr;               // the order and limits of the output, when it has any
  bool verbose = false;
  bool strict = false;

  // The time test; its lower bound moves on to the origin time of the last
  // record of each input.
  Bounds<double> otime;
  int layout = 0;            // the format code, its tarn layout once known
  LetterSet accepted;        // event-type letters of the format accepted
  bool field_tests = false;  // whether any field test of the format is on
  DayCache days;             // day starts of the searching thread
  long long written = 0;     // records put out in a form other than records

  // Events and their IDs.  A record of a structured form must be an event;
  // under --strict every selected record is checked.
  bool check_events = false;  // whether records are checked for being events
  bool ids = false;           // whether events get IDs (counted by stem in each file)
  const char* word = "";      // the layout's word in IDs
  StemCounter stems;          // the stems of the file being read
  bool fdsn = false;          // whether a test named as the FDSN service names it is on
  bool each_input = false;    // the time test's lower bound is not carried to the next input
  // Under --strict, what the carried lower bound hides: the records of this
  // input that failed only for it, and the origin times at which each input
  // began and ended.
  long long carry_skipped = 0;
  bool have_first = false;
  double first_time = 0;
  bool have_previous = false;
  double previous_last = 0;
  bool describes = false;       // whether selected records are described (full brim's summary)
  long long line = 1;           // the line of the file at which the record being read starts
  bool begun = false;           // the form's opening text is out
  const char* fault = nullptr;  // a catalog that lacks a listed magnitude type
  bool done = false;            // nothing more is read: the limit is out, or the sort failed
  bool input_failed = false;    // --strict reported an input: exit status 1
  bool input_rejected = false;  // the input being read was not read (its layout)
  const char* input_name = "standard input";  // the input being read, for messages
  Event described;  // the event of the record that the FDSN tests read last
};

}  // namespace catsieve

#endif
