// Selected events as a GeoJSON FeatureCollection (RFC 7946): a Point
// feature per event at [longitude, latitude], its fields as properties.
#ifndef CATSIEVE_GEOJSON_SINK_H
#define CATSIEVE_GEOJSON_SINK_H

#include "catsieve/event.h"
#include "catsieve/event_text.h"

namespace catsieve {

void geojson_begin();
// number counts the events from 1.
// The feature of an event, with the comma before it from the second on.
const Text& geojson_event(const Event& e, long long number);
void geojson_end();

}  // namespace catsieve

#endif
