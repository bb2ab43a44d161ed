// Selected events as a GeoJSON FeatureCollection, a feature a line, each
// with the event's ID as its id.  An event without an epicentre has a null
// geometry; an absent property is null.
#include "outputs/geojson_form.h"

#include <cstring>

#include "outputs/event_columns.h"

namespace catsieve {

namespace {

void put_out(Sink& out, const char* text) { out.text(text, std::strlen(text)); }

}  // namespace

void geojson_begin(Sink& out, const FormSettings&) {
  put_out(out, "{\"type\":\"FeatureCollection\",\"features\":[\n");
}

const Text& geojson_event(const Event& e, long long number, const FormSettings&,
                          FormScratch& s) {
  Text& f = s.text;
  Text& word = s.part;
  f.n = 0;
  if (number > 1) put(f, ",\n");
  put(f, "{\"type\":\"Feature\",");
  word.n = 0;
  if (event_id_text(e.id, word)) {
    put(f, "\"id\":");
    json_string(word.buf, word.n, f);
    put(f, ',');
  }
  put(f, "\"geometry\":");
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

void geojson_end(Sink& out, long long, const FormSettings&) { put_out(out, "\n]}\n"); }

}  // namespace catsieve
