// Selected events as a QuakeML 1.2 document: an event per record with its
// origin, its magnitude when it has one, and its type.
#ifndef OUTPUTS_QUAKEML_FORM_H
#define OUTPUTS_QUAKEML_FORM_H

#include "outputs/forms.h"

namespace catsieve {

void quakeml_begin(Sink& out, const FormSettings& f);
// number counts the events from 1; it names the resources of an event
// whose time has no ID.
const Text& quakeml_event(const Event& e, long long number, const FormSettings& f,
                          FormScratch& s);
void quakeml_end(Sink& out, long long events, const FormSettings& f);

}  // namespace catsieve

#endif
