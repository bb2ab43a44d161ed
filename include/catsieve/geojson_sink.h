// Selected events as a GeoJSON FeatureCollection (RFC 7946): a Point
// feature per event at [longitude, latitude], its fields as properties.
#ifndef CATSIEVE_GEOJSON_SINK_H
#define CATSIEVE_GEOJSON_SINK_H

#include "catsieve/event.h"

namespace catsieve {

void geojson_begin();
// number counts the events from 1.
void geojson_event(const Event& e, long long number);
void geojson_end();

}  // namespace catsieve

#endif
