// The FDSN-named tests.
#include "readers/fdsn_tests.h"

#include <cstring>

#include "readers/record_cycle.h"

namespace catsieve {

namespace {

bool range_ok(const OpenRange& r, const Real& v) { return !r.on() || (v.has && r.holds(value(v))); }

}  // namespace

bool fdsn_id_ok(const FdsnFilter& f, const EventId& id) {
  if (f.ids.empty()) return true;
  if (!id.word) return false;
  long long key = stem_key(id.stem);
  for (const WantedId& w : f.ids)
    if (w.number == id.number && stem_key(w.stem) == key && w.word == id.word) return true;
  return false;
}

bool fdsn_event_ok(const FdsnFilter& f, Event& e) {
  bool place = keep_valid_place(&e);
  if (f.lat.on() && !(place && f.lat.holds(value(e.lat)))) return false;
  if (f.lon.on()) {
    if (!place) return false;
    double lon = value(e.lon);
    bool in = f.lon_wraps ? lon >= f.lon.min || lon <= f.lon.max : f.lon.holds(lon);
    if (!in) return false;
  }
  if (!range_ok(f.depth, e.depth) || !range_ok(f.mag, e.mag)) return false;
  if (f.ring.on) {
    if (!place) return false;
    Ring r;
    r.on = true;
    r.phi0 = f.ring.phi0;
    r.st0 = f.ring.st0;
    r.ct0 = f.ring.ct0;
    r.cdmin = f.ring.cdmin;
    r.cdmax = f.ring.cdmax;
    if (!delta_ok(r, value(e.lat), value(e.lon))) return false;
  }
  if (!f.types.empty()) {
    if (!e.type) return false;
    bool named = false;
    for (const std::string& t : f.types) named = named || t == e.type;
    if (!named) return false;
  }
  return true;
}

}  // namespace catsieve
