// The FDSN event text format.  The event's ID is its EventID and its
// ContributorID; the authority is its Author, Contributor and MagAuthor;
// the catalog is the layout's word.  Times are UTC without the "Z".
#include "outputs/text_form.h"

#include <cstring>

namespace catsieve {

namespace {

constexpr char kHeader[] =
    "#EventID|Time|Latitude|Longitude|Depth/km|Author|Catalog|Contributor|ContributorID|"
    "MagType|Magnitude|MagAuthor|EventLocationName|EventType\n";

// A field, or the run's text of an empty one; then the separator.
template <typename Write>
void field(Text& t, const FormSettings& f, Write write, bool last = false) {
  if (!write()) put(t, f.missing.data(), f.missing.size());
  put(t, last ? '\n' : '|');
}

bool authority(Text& t, const FormSettings& f) {
  put(t, f.authority.data(), f.authority.size());
  return true;
}

bool time_without_zone(const Event& e, Text& t) {
  if (!event_time_text(e, t)) return false;
  --t.n;  // the "Z"
  return true;
}

}  // namespace

void text_begin(Sink& out, const FormSettings&) { out.text(kHeader, sizeof kHeader - 1); }

const Text& text_event(const Event& e, long long, const FormSettings& f, FormScratch& s) {
  Text& t = s.text;
  t.n = 0;
  auto text = [&t](const char* word) { return word && (put(t, word), true); };
  // The ID is written twice: the second time, as the first came out.
  size_t id_from = t.n, id_to = t.n;
  field(t, f, [&] { return event_id_text(e.id, t) && (id_to = t.n, true); });
  field(t, f, [&] { return time_without_zone(e, t); });
  field(t, f, [&] { return real_text(e.lat, t); });
  field(t, f, [&] { return real_text(e.lon, t); });
  field(t, f, [&] { return real_text(e.depth, t); });
  field(t, f, [&] { return authority(t, f); });
  field(t, f, [&] { return text(e.id.word); });
  field(t, f, [&] { return authority(t, f); });
  field(t, f, [&] {
    if (id_to == id_from) return false;
    put(t, t.buf + id_from, id_to - id_from);
    return true;
  });
  field(t, f, [&] { return text(e.mag_type); });
  field(t, f, [&] { return real_text(e.mag, t); });
  field(t, f, [&] { return authority(t, f); });
  field(t, f, [] { return false; });
  field(
      t, f, [&] { return text(e.type); }, true);
  return t;
}

}  // namespace catsieve
