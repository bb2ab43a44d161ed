// Selected events as a QuakeML 1.2 document.  Resources are named
// smi:local/event/N, smi:local/origin/N and smi:local/magnitude/N after the
// event's place in the output.  Depths and their errors go in metres, the
// closest station in degrees of arc; an origin needs a time and an
// epicentre, so an event without them has none.
#include "catsieve/quakeml_sink.h"

#include <cstring>

#include "catsieve/event_text.h"
#include "catsieve/geo.h"
#include "catsieve/output.h"

namespace catsieve {

namespace {

constexpr double kMetresPerKm = 1000.0;
// Kilometres per degree of arc on the sphere of the distance test.
constexpr double kKmPerDegree = kEarthRadius * kRad;

// Each thread that formats events builds them in its own text.
thread_local Text x;

void put_out(const char* text) { out_text(text, std::strlen(text)); }

void open(const char* name) {
  put(x, '<');
  put(x, name);
  put(x, '>');
}

void close(const char* name) {
  put(x, "</");
  put(x, name);
  put(x, '>');
}

// A resource reference: smi:local/<kind>/<number>.
void id(const char* kind, long long number) {
  put(x, "smi:local/");
  put(x, kind);
  put(x, '/');
  count_text(number, x);
}

// <name>value</name> when the value can be written (the text is taken back
// when it cannot).
template <typename Write>
bool element(const char* name, Write write) {
  size_t at = x.n;
  open(name);
  if (!write()) {
    x.n = at;
    return false;
  }
  close(name);
  return true;
}

// <name><value>v</value>[<uncertainty>u</uncertainty>]</name>, in units
// of scale times the event's.
void quantity(const char* name, const Real& v, const Real& error, double scale) {
  element(name, [&] {
    if (!element("value", [&] { return v.has && number_text(value(v) * scale, v.digits, x); }))
      return false;
    if (error.has && value(error) >= 0)
      element("uncertainty", [&] { return number_text(value(error) * scale, error.digits, x); });
    return true;
  });
}

bool in(const Real& v, double lo, double hi) { return v.has && value(v) >= lo && value(v) <= hi; }

void quality(const Event& e) {
  element("quality", [&] {
    size_t at = x.n;
    if (e.nsta.has && e.nsta.v >= 0)
      element("usedStationCount", [&] { return count_text(e.nsta.v, x), true; });
    if (in(e.rms, 0, 1e300)) element("standardError", [&] { return real_text(e.rms, x); });
    if (in(e.gap, 0, 360)) element("azimuthalGap", [&] { return real_text(e.gap, x); });
    Real degrees = inexact(e.close.has, value(e.close) / kKmPerDegree, kAnyDigits);
    if (in(degrees, 0, 180)) element("minimumDistance", [&] { return real_text(degrees, x); });
    return x.n > at;
  });
}

bool origin(const Event& e, long long n) {
  if (!e.time.has || !in(e.lat, -90, 90) || !e.lon.has) return false;
  return element("origin", [&] {
    x.n -= 1;  // the publicID goes into the opening tag
    put(x, " publicID=\"");
    id("origin", n);
    put(x, "\">");
    if (!element("time", [&] {
          if (!element("value", [&] { return event_time_text(e, x); })) return false;
          if (e.oterr.has && value(e.oterr) >= 0)
            element("uncertainty", [&] { return real_text(e.oterr, x); });
          return true;
        }))
      return false;
    if (!element("latitude", [&] { return element("value", [&] { return real_text(e.lat, x); }); }))
      return false;
    if (!element("longitude",
                 [&] { return element("value", [&] { return real_text(e.lon, x); }); }))
      return false;
    quantity("depth", e.depth, e.zerr, kMetresPerKm);
    quality(e);
    if (e.herr.has && value(e.herr) >= 0)
      element("originUncertainty", [&] {
        return element("horizontalUncertainty",
                       [&] { return number_text(value(e.herr) * kMetresPerKm, e.herr.digits, x); });
      });
    return true;
  });
}

bool magnitude(const Event& e, long long n, bool has_origin) {
  return element("magnitude", [&] {
    x.n -= 1;
    put(x, " publicID=\"");
    id("magnitude", n);
    put(x, "\">");
    if (!element("mag", [&] { return element("value", [&] { return real_text(e.mag, x); }); }))
      return false;
    if (e.mag_type) element("type", [&] { return put(x, e.mag_type), true; });
    if (has_origin) element("originID", [&] { return id("origin", n), true; });
    if (e.mag_obs.has && e.mag_obs.v >= 0)
      element("stationCount", [&] { return count_text(e.mag_obs.v, x), true; });
    return true;
  });
}

}  // namespace

void quakeml_begin() {
  put_out(
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<q:quakeml xmlns:q=\"http://quakeml.org/xmlns/quakeml/1.2\" "
      "xmlns=\"http://quakeml.org/xmlns/bed/1.2\">\n"
      "<eventParameters publicID=\"smi:local/catsieve\">\n");
}

// The origin and magnitude are written first, to learn whether the event
// has them, and then moved behind the references to them.
const Text& quakeml_event(const Event& e, long long number) {
  thread_local Text parts;
  x.n = 0;
  bool has_origin = origin(e, number);
  bool has_mag = magnitude(e, number, has_origin);
  parts.n = 0;
  put(parts, x.buf, x.n);
  x.n = 0;
  put(x, "<event publicID=\"");
  id("event", number);
  put(x, "\">");
  if (has_origin) element("preferredOriginID", [&] { return id("origin", number), true; });
  if (has_mag) element("preferredMagnitudeID", [&] { return id("magnitude", number), true; });
  if (e.type) element("type", [&] { return put(x, e.type), true; });
  put(x, parts.buf, parts.n);
  put(x, "</event>\n");
  return x;
}

void quakeml_end() { put_out("</eventParameters>\n</q:quakeml>\n"); }

}  // namespace catsieve
