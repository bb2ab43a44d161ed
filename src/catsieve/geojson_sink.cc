// Selected events as a GeoJSON FeatureCollection, a feature a line.  An
// event without an epicentre has a null geometry; an absent property is
// null.
#include "catsieve/geojson_sink.h"

#include <cstring>
#include <string>

#include "catsieve/event_columns.h"
#include "catsieve/event_text.h"
#include "catsieve/output.h"

namespace catsieve {

namespace {

void put(const char* text) { out_text(text, std::strlen(text)); }

}  // namespace

void geojson_begin() { put("{\"type\":\"FeatureCollection\",\"features\":[\n"); }

void geojson_event(const Event& e, long long number) {
  static std::string f, value, lat;
  f.clear();
  if (number > 1) f += ",\n";
  f += "{\"type\":\"Feature\",\"geometry\":";
  value.clear();
  lat.clear();
  if (e.lat.has && e.lon.has && number_text(e.lon.v, value) && number_text(e.lat.v, lat))
    f += "{\"type\":\"Point\",\"coordinates\":[" + value + "," + lat + "]}";
  else
    f += "null";
  f += ",\"properties\":{";
  for (int i = 0; i < nevent_columns; ++i) {
    const EventColumn& c = event_columns[i];
    if (i) f += ',';
    json_string(c.name, f);
    f += ':';
    value.clear();
    if (!c.value(e, value)) f += "null";
    else if (c.text) json_string(value.c_str(), f);
    else f += value;
  }
  f += "}}";
  out_text(f.data(), f.size());
}

void geojson_end() { put("\n]}\n"); }

}  // namespace catsieve
