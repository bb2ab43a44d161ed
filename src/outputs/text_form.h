// Selected events in the text format of the FDSN event service: a header
// line, then a line per event, fields separated by "|".
#ifndef OUTPUTS_TEXT_FORM_H
#define OUTPUTS_TEXT_FORM_H

#include "outputs/forms.h"

namespace catsieve {

void text_begin(Sink& out, const FormSettings& f);
// The line of an event, line end included.
const Text& text_event(const Event& e, long long number, const FormSettings& f, FormScratch& s);

}  // namespace catsieve

#endif
