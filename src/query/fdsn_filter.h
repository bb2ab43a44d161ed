// The tests named as the FDSN event service names them.  Each is an AND
// with the classic tests, and each reads the event as the output forms
// describe it: a value they leave empty (a missing-value marker, a
// magnitude that is not available, a blank field, no position) fails
// every bound given.
#ifndef QUERY_FDSN_FILTER_H
#define QUERY_FDSN_FILTER_H

#include <string>
#include <vector>

#include "query/event_id.h"

namespace catsieve {

// A range of which either side may be given alone.
struct OpenRange {
  bool min_on = false, max_on = false;
  double min = 0, max = 0;
  bool on() const { return min_on || max_on; }
  bool holds(double v) const { return !(min_on && v < min) && !(max_on && v > max); }
};

// An ID asked for: the layout's word, the key of its stem, its number.
struct WantedId {
  std::string word;
  Stem stem;
  int number = 1;
};

// The ring around a point, for the radius tests: the centre's geocentric
// colatitude and longitude, cosines of the bounds, and the bounds in km.
struct RadiusRing {
  bool on = false;
  double phi0 = 0, st0 = 0, ct0 = 0, cdmin = 0, cdmax = 0;
  double min_km = 0, max_km = 0;
};

struct FdsnFilter {
  OpenRange lat, lon, depth, mag;
  bool lon_wraps = false;          // minlongitude > maxlongitude: across the 180-degree meridian
  double lat0 = 0, lon0 = 0;       // latitude and longitude: the centre of the radius tests
  OpenRange radius;                // degrees of arc
  OpenRange radius_km;             // km
  RadiusRing ring;                 // of the radius tests, once the query is complete
  std::vector<std::string> types;  // QuakeML event type names; empty: any
  std::vector<WantedId> ids;       // empty: any
  bool magtype = false;            // --magnitudetype gave the preference list
  bool etype = false;              // --eventtype replaced the event-type letters

  // Whether a record's event must be read for these tests.
  bool describes() const {
    return lat.on() || lon.on() || depth.on() || mag.on() || ring.on || !types.empty();
  }
};

}  // namespace catsieve

#endif
