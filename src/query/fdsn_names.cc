// The FDSN event parameters and what each sets.
#include "query/fdsn_names.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "query/geo.h"
#include "query/iso_time.h"
#include "util/cvlat.h"

namespace catsieve {

namespace {

// The greatest latitude, longitude and radius in degrees; kNoLimit for a
// bound of any size.
constexpr int kMaxLat = 90, kMaxLon = 180, kMaxRadius = 180, kNoLimit = 0;
constexpr double kKmPerDegreeOfArc = kEarthRadius * kRad;

// The event types of QuakeML 1.2.
const char* const kEventTypes[] = {"not existing",
                                   "not reported",
                                   "earthquake",
                                   "anthropogenic event",
                                   "collapse",
                                   "cavity collapse",
                                   "mine collapse",
                                   "building collapse",
                                   "explosion",
                                   "accidental explosion",
                                   "chemical explosion",
                                   "controlled explosion",
                                   "experimental explosion",
                                   "industrial explosion",
                                   "mining explosion",
                                   "quarry blast",
                                   "road cut",
                                   "blasting levee",
                                   "nuclear explosion",
                                   "induced or triggered event",
                                   "rock burst",
                                   "reservoir loading",
                                   "fluid injection",
                                   "fluid extraction",
                                   "crash",
                                   "plane crash",
                                   "train crash",
                                   "boat crash",
                                   "other event",
                                   "atmospheric event",
                                   "sonic boom",
                                   "sonic blast",
                                   "acoustic noise",
                                   "thunder",
                                   "avalanche",
                                   "snow avalanche",
                                   "debris avalanche",
                                   "hydroacoustic event",
                                   "ice quake",
                                   "slide",
                                   "landslide",
                                   "rockslide",
                                   "meteorite",
                                   "volcanic eruption"};

bool number(const std::string& text, double lo, double hi, double* v, std::string* why) {
  const char* p = text.c_str();
  char* end;
  double d = std::strtod(p, &end);
  if (text.empty() || *end != '\0' || !std::isfinite(d) || std::strchr(p, 'x') ||
      std::strchr(p, 'X') || std::isspace(static_cast<unsigned char>(text[0]))) {
    *why = "\"" + text + "\" is not a number";
    return false;
  }
  if (d < lo || d > hi) {
    char range[96];
    std::snprintf(range, sizeof range, "\"%s\" lies outside %g to %g", text.c_str(), lo, hi);
    *why = range;
    return false;
  }
  *v = d;
  return true;
}

template <OpenRange FdsnFilter::*range, bool kMin>
bool side(Query& q, const std::string& text, double lo, double hi, std::string* why) {
  OpenRange& r = q.fdsn.*range;
  if (!number(text, lo, hi, kMin ? &r.min : &r.max, why)) return false;
  (kMin ? r.min_on : r.max_on) = true;
  return true;
}

constexpr double kAny = HUGE_VAL;

template <OpenRange FdsnFilter::*range, bool kMin, int kLimit>
bool bound(Query& q, const std::string& text, std::string* why) {
  double limit = kLimit != kNoLimit ? kLimit : kAny;
  return side<range, kMin>(q, text, -limit, limit, why);
}

template <OpenRange FdsnFilter::*range, bool kMin>
bool radius_bound(Query& q, const std::string& text, std::string* why) {
  return side<range, kMin>(q, text, 0, range == &FdsnFilter::radius ? kMaxRadius : kAny, why);
}

bool set_lat0(Query& q, const std::string& text, std::string* why) {
  return number(text, -kMaxLat, kMaxLat, &q.fdsn.lat0, why);
}

bool set_lon0(Query& q, const std::string& text, std::string* why) {
  return number(text, -kMaxLon, kMaxLon, &q.fdsn.lon0, why);
}

bool time_of(const std::string& text, double* t, std::string* why) {
  if (iso_time(text.c_str(), t)) return true;
  *why = "\"" + text +
         "\" is not a date-time yyyy-mm-dd[Thh:mm[:ss[.s]]] in UTC, with an "
         "optional Z or offset such as +01:00";
  return false;
}

bool set_start(Query& q, const std::string& text, std::string* why) {
  if (!time_of(text, &q.otime.min, why)) return false;
  if (!q.otime.on) q.otime.max = HUGE_VAL;
  q.otime.on = true;
  return true;
}

bool set_end(Query& q, const std::string& text, std::string* why) {
  double t;
  if (!time_of(text, &t, why)) return false;
  if (!q.otime.on) q.otime.min = -HUGE_VAL;
  q.otime.max = t;
  q.otime.on = true;
  return true;
}

// The items of a comma-separated list, none empty.
bool items(const std::string& text, std::vector<std::string>* out, std::string* why) {
  out->clear();
  size_t from = 0;
  for (;;) {
    size_t comma = text.find(',', from);
    std::string item = text.substr(from, comma == std::string::npos ? comma : comma - from);
    if (item.empty()) {
      *why = "\"" + text + "\" holds an empty item";
      return false;
    }
    out->push_back(item);
    if (comma == std::string::npos) return true;
    from = comma + 1;
  }
}

bool set_magtype(Query& q, const std::string& text, std::string* why) {
  MagPrefList list = {0, {}};
  std::string copy = text, bad;
  if (text.empty() || !parsemag(&copy[0], list, &bad)) {
    *why = "\"" + (text.empty() ? text : bad) + "\" is not a magnitude type";
    return false;
  }
  q.mags = list;
  q.fdsn.magtype = true;
  return true;
}

bool set_types(Query& q, const std::string& text, std::string* why) {
  std::vector<std::string> names;
  if (!items(text, &names, why)) return false;
  for (const std::string& n : names)
    if (!quakeml_event_type(n)) {
      *why = "\"" + n + "\" is not a QuakeML event type (earthquake, quarry blast, ...)";
      return false;
    }
  q.fdsn.types = names;
  q.fdsn.etype = true;
  q.etype_on = false;
  return true;
}

bool set_ids(Query& q, const std::string& text, std::string* why) {
  std::vector<std::string> texts;
  if (!items(text, &texts, why)) return false;
  q.fdsn.ids.clear();
  for (const std::string& t : texts) {
    WantedId id;
    if (!parse_event_id(t, &id.word, &id.stem, &id.number)) {
      *why = "\"" + t +
             "\" is not an event ID: a layout's word, the origin time as "
             "YYYYMMDDhhmmss, its decimals and -N for the N-th of the same time";
      return false;
    }
    q.fdsn.ids.push_back(id);
  }
  return true;
}

// A minimum above its maximum.
bool ordered(const OpenRange& r, const char* name, std::string* why) {
  if (!(r.min_on && r.max_on && r.min > r.max)) return true;
  *why = std::string("min") + name + " is greater than max" + name;
  return false;
}

using F = FdsnFilter;

}  // namespace

const FdsnName kFdsnNames[] = {
    {"starttime", "start", "xs:dateTime", set_start, "origin time on or after"},
    {"endtime", "end", "xs:dateTime", set_end, "origin time on or before"},
    {"minlatitude", "minlat", "xs:double", bound<&F::lat, true, kMaxLat>,
     "southern bound, degrees"},
    {"maxlatitude", "maxlat", "xs:double", bound<&F::lat, false, kMaxLat>,
     "northern bound, degrees"},
    {"minlongitude", "minlon", "xs:double", bound<&F::lon, true, kMaxLon>,
     "western bound, degrees; above maxlongitude it crosses the 180-degree meridian"},
    {"maxlongitude", "maxlon", "xs:double", bound<&F::lon, false, kMaxLon>,
     "eastern bound, degrees"},
    {"latitude", "lat", "xs:double", set_lat0, "latitude of the centre of the radius tests"},
    {"longitude", "lon", "xs:double", set_lon0, "longitude of the centre of the radius tests"},
    {"minradius", nullptr, "xs:double", radius_bound<&F::radius, true>,
     "least distance from the centre, degrees of arc"},
    {"maxradius", nullptr, "xs:double", radius_bound<&F::radius, false>,
     "greatest distance from the centre, degrees of arc"},
    {"minradiuskm", nullptr, "xs:double", radius_bound<&F::radius_km, true>,
     "least distance from the centre, km"},
    {"maxradiuskm", nullptr, "xs:double", radius_bound<&F::radius_km, false>,
     "greatest distance from the centre, km"},
    {"mindepth", nullptr, "xs:double", bound<&F::depth, true, kNoLimit>, "least depth, km"},
    {"maxdepth", nullptr, "xs:double", bound<&F::depth, false, kNoLimit>, "greatest depth, km"},
    {"minmagnitude", "minmag", "xs:double", bound<&F::mag, true, kNoLimit>, "least magnitude"},
    {"maxmagnitude", "maxmag", "xs:double", bound<&F::mag, false, kNoLimit>, "greatest magnitude"},
    {"magnitudetype", nullptr, "xs:string", set_magtype,
     "magnitude types in order of preference, as -mtype"},
    {"eventtype", nullptr, "xs:string", set_types, "QuakeML event types, comma-separated"},
    {"eventid", nullptr, "xs:string", set_ids, "event IDs, comma-separated"},
};
const int kFdsnNameCount = sizeof kFdsnNames / sizeof kFdsnNames[0];

const FdsnName* fdsn_name(const std::string& name) {
  for (const FdsnName& n : kFdsnNames)
    if (name == n.name || (n.alias && name == n.alias)) return &n;
  return nullptr;
}

bool quakeml_event_type(const std::string& name) {
  for (const char* t : kEventTypes)
    if (name == t) return true;
  return false;
}

bool finish_fdsn(Query& q, std::string* why) {
  FdsnFilter& f = q.fdsn;
  if (!ordered(f.lat, "latitude", why) || !ordered(f.depth, "depth", why) ||
      !ordered(f.mag, "magnitude", why) || !ordered(f.radius, "radius", why) ||
      !ordered(f.radius_km, "radiuskm", why))
    return false;
  f.lon_wraps = f.lon.min_on && f.lon.max_on && f.lon.min > f.lon.max;
  if (f.radius.on() && f.radius_km.on()) {
    *why =
        "give the radius in degrees (minradius, maxradius) or in km (minradiuskm, "
        "maxradiuskm), not both";
    return false;
  }
  if (!f.radius.on() && !f.radius_km.on()) return true;
  double scale = f.radius.on() ? kKmPerDegreeOfArc : 1.0;
  const OpenRange& r = f.radius.on() ? f.radius : f.radius_km;
  double min_km = r.min_on ? r.min * scale : 0;
  double max_km = r.max_on ? std::fmin(r.max * scale, kPi * kEarthRadius) : kPi * kEarthRadius;
  double psi0 = util::ggtogc(f.lat0 * kRad);
  f.ring.phi0 = f.lon0 * kRad;
  f.ring.st0 = std::sin(90 * kRad - psi0);
  f.ring.ct0 = std::cos(90 * kRad - psi0);
  f.ring.cdmin = std::cos(min_km / kEarthRadius);
  f.ring.cdmax = std::cos(max_km / kEarthRadius);
  f.ring.min_km = min_km;
  f.ring.max_km = max_km;
  f.ring.on = true;
  return true;
}

}  // namespace catsieve
