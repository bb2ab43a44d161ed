// Selected events as a GeoJSON FeatureCollection (RFC 7946): a Point
// feature per event at [longitude, latitude], its fields as properties.
#ifndef OUTPUTS_GEOJSON_FORM_H
#define OUTPUTS_GEOJSON_FORM_H

#include "outputs/forms.h"

namespace catsieve {

void geojson_begin(Sink& out, const FormSettings& f);
// The feature of an event, with the comma before it from the second on.
const Text& geojson_event(const Event& e, long long number, const FormSettings& f,
                          FormScratch& s);
void geojson_end(Sink& out, long long events, const FormSettings& f);

}  // namespace catsieve

#endif
