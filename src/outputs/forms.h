// The output forms, one row each: the records as they stood, the events
// described as CSV, GeoJSON, QuakeML or FDSN text, or only their number.  A new form
// is a new row and the file that writes it.
#ifndef OUTPUTS_FORMS_H
#define OUTPUTS_FORMS_H

#include "outputs/event.h"
#include "outputs/event_text.h"
#include "outputs/form_settings.h"
#include "outputs/sink.h"

namespace catsieve {

// The texts that one thread formats events in.
struct FormScratch {
  Text text;  // the event's text
  Text part;  // a piece of it built apart
};

enum class FormKind {
  kRecords,  // the records as they stood in the input
  kCount,    // only their number
  kEvents,   // each described as an event
};

struct Form {
  const char* name;
  FormKind kind;
  // The opening text, out before the first event (or at the end when
  // there is none); null when the form has none.
  void (*begin)(Sink& out, const FormSettings& settings);
  // The text of an event; number counts the events of the run from 1.
  const Text& (*event)(const Event& e, long long number, const FormSettings& settings,
                       FormScratch& s);
  // The closing text, after the last event; events is how many there were.
  void (*end)(Sink& out, long long events, const FormSettings& settings);
};

extern const Form kForms[];
extern const int kFormCount;

// The form of the name, or null.
const Form* find_form(const char* name);
// The classic output: the records as they stood.
const Form& records_form();

}  // namespace catsieve

#endif
