// Selected events as a GeoJSON FeatureCollection, a feature a line.  An
// event without an epicentre has a null geometry; an absent property is
// null.
#include "catsieve/geojson_sink.h"

#include <cstring>

#include "catsieve/event_columns.h"
#include "catsieve/event_text.h"
#include "catsieve/output.h"

namespace catsieve {

namespace {

// Each thread that formats events builds its features in its own text.
thread_local Text f, word;

void put_out(const char* text) { out_text(text, std::strlen(text)); }

}  // namespace

void geojson_begin() { put_out("{\"type\":\"FeatureCollection\",\"features\":[\n"); }

const Text& geojson_event(const Event& e, long long number) {
  f.n = 0;
  if (number > 1) put(f, ",\n");
  put(f, "{\"type\":\"Feature\",\"geometry\":");
  size_t at = f.n;
  put(f, "{\"type\":\"Point\",\"coordinates\":[");
  bool point = e.lat.has && e.lon.has && real_text(e.lon, f);
  put(f, ',');
  point = point && real_text(e.lat, f);
  put(f, "]}");
  if (!point) {
    f.n = at;
    put(f, "null");
  }
  put(f, ",\"properties\":{");
  for (int i = 0; i < nevent_columns; ++i) {
    const EventColumn& c = event_columns[i];
    if (i) put(f, ',');
    put(f, '"');
    put(f, c.name);
    put(f, "\":");
    if (c.kind == ColumnKind::kNumber) {
      if (!c.value(e, f)) put(f, "null");
      continue;
    }
    word.n = 0;
    if (c.value(e, word))
      json_string(word.buf, word.n, f);
    else
      put(f, "null");
  }
  put(f, "}}");
  return f;
}

void geojson_end() { put_out("\n]}\n"); }

}  // namespace catsieve
