// The run's sink: the output form that the options chose, and the opening
// and closing text of each form.
#include "catsieve/sink.h"

#include <cstdio>

#include "catsieve/csv_sink.h"
#include "catsieve/geojson_sink.h"
#include "catsieve/quakeml_sink.h"
#include "util/qerror.h"

namespace catsieve {

namespace {

Sink building;
bool form_chosen = false;

void choose(OutputForm form) {
  if (form_chosen) util::error("only one of --csv, --geojson, --quakeml and --count may be given");
  building.form = form;
  form_chosen = true;
}

const Text& csv_row(const Event& e, long long) { return csv_event(e); }

}  // namespace

Sink& building_sink() { return building; }

void reset_sink() {
  building = Sink();
  form_chosen = false;
}

void qcsv() { choose(OutputForm::kCsv); }
void qgeojson() { choose(OutputForm::kGeoJson); }
void qquakeml() { choose(OutputForm::kQuakeMl); }
void qcount() { choose(OutputForm::kCount); }

void sink_begin(Sink& s) {
  if (s.begun) return;
  s.begun = true;
  switch (s.form) {
    case OutputForm::kCsv: csv_begin(); break;
    case OutputForm::kGeoJson: geojson_begin(); break;
    case OutputForm::kQuakeMl: quakeml_begin(); break;
    default: break;
  }
}

Format sink_format(const Sink& s) {
  switch (s.form) {
    case OutputForm::kGeoJson: return geojson_event;
    case OutputForm::kQuakeMl: return quakeml_event;
    default: return csv_row;
  }
}

void sink_end(Sink& s) {
  batch_flush();
  sink_begin(s);
  switch (s.form) {
    case OutputForm::kGeoJson: geojson_end(); break;
    case OutputForm::kQuakeMl: quakeml_end(); break;
    case OutputForm::kCount: {
      char line[32];
      int n = std::snprintf(line, sizeof line, "%lld\n", s.written);
      out_text(line, static_cast<size_t>(n));
      break;
    }
    default: break;
  }
}

}  // namespace catsieve
