// The table of output forms.
#include "outputs/forms.h"

#include <cstdio>
#include <cstring>

#include "outputs/csv_form.h"
#include "outputs/geojson_form.h"
#include "outputs/quakeml_form.h"
#include "outputs/text_form.h"

namespace catsieve {

namespace {

void count_end(Sink& out, long long events, const FormSettings&) {
  char line[32];
  int n = std::snprintf(line, sizeof line, "%lld\n", events);
  out.text(line, static_cast<size_t>(n));
}

}  // namespace

const Form kForms[] = {
    {"records", FormKind::kRecords, nullptr, nullptr, nullptr},
    {"csv", FormKind::kEvents, csv_begin, csv_event, nullptr},
    {"geojson", FormKind::kEvents, geojson_begin, geojson_event, geojson_end},
    {"quakeml", FormKind::kEvents, quakeml_begin, quakeml_event, quakeml_end},
    {"text", FormKind::kEvents, text_begin, text_event, nullptr},
    {"count", FormKind::kCount, nullptr, nullptr, count_end},
};
const int kFormCount = sizeof kForms / sizeof kForms[0];

const Form* find_form(const char* name) {
  for (const Form& f : kForms)
    if (std::strcmp(f.name, name) == 0) return &f;
  return nullptr;
}

const Form& records_form() { return kForms[0]; }

}  // namespace catsieve
