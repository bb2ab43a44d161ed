// Selected events as CSV: a header line of the column names, then a row
// per event; an absent value is an empty cell.
#ifndef OUTPUTS_CSV_FORM_H
#define OUTPUTS_CSV_FORM_H

#include "outputs/forms.h"

namespace catsieve {

void csv_begin(Sink& out, const FormSettings& f);
// The row of an event, line end included.
const Text& csv_event(const Event& e, long long number, const FormSettings& f, FormScratch& s);

}  // namespace catsieve

#endif
