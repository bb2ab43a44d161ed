// Selected events as a QuakeML 1.2 document.  Resources are named
// smi:AUTHORITY/event/ID, smi:AUTHORITY/origin/ID and
// smi:AUTHORITY/magnitude/ID after the event's ID.  Depths and their errors
// go in metres, the closest station and the latitude and longitude errors
// in degrees of arc; an origin needs a time and an epicentre, so an event
// without them has none.  Values that QuakeML has no element for (the
// quality letter, a scalar moment in the catalog's own unit) are comments
// "name: value", the value written as CSV writes it.
#include "outputs/quakeml_form.h"

#include <cstring>

#include "query/geo.h"

namespace catsieve {

namespace {

constexpr double kMetresPerKm = 1000.0;

void put_out(Sink& out, const char* text) { out.text(text, std::strlen(text)); }

void open(Text& x, const char* name) {
  put(x, '<');
  put(x, name);
  put(x, '>');
}

void close(Text& x, const char* name) {
  put(x, "</");
  put(x, name);
  put(x, '>');
}

// A character of text in XML.
void put_xml(Text& x, char c) {
  switch (c) {
    case '<': put(x, "&lt;"); break;
    case '>': put(x, "&gt;"); break;
    case '&': put(x, "&amp;"); break;
    default: put(x, c);
  }
}

// What names the resources of one event.
struct Names {
  const FormSettings& f;
  const Event& e;
  long long number;  // in the output, for an event whose time has no ID
};

// A resource reference: smi:<authority>/<kind>/<ID>.
void id(Text& x, const char* kind, const Names& n) {
  put(x, "smi:");
  put(x, n.f.authority.data(), n.f.authority.size());
  put(x, '/');
  put(x, kind);
  put(x, '/');
  if (!event_id_text(n.e.id, x)) count_text(n.number, x);
}

// <name>value</name> when the value can be written (the text is taken back
// when it cannot).
template <typename Write>
bool element(Text& x, const char* name, Write write) {
  size_t at = x.n;
  open(x, name);
  if (!write()) {
    x.n = at;
    return false;
  }
  close(x, name);
  return true;
}

// <name><value>v</value>[<uncertainty>u</uncertainty>]</name>, in units
// of scale times the event's.
void quantity(Text& x, const char* name, const Real& v, const Real& error, double scale) {
  element(x, name, [&] {
    if (!element(x, "value", [&] { return v.has && number_text(value(v) * scale, v.digits, x); }))
      return false;
    if (error.has && value(error) >= 0)
      element(x, "uncertainty", [&] { return number_text(value(error) * scale, error.digits, x); });
    return true;
  });
}

bool in(const Real& v, double lo, double hi) { return v.has && value(v) >= lo && value(v) <= hi; }

void quality(Text& x, const Event& e) {
  element(x, "quality", [&] {
    size_t at = x.n;
    if (e.nsta.has && e.nsta.v >= 0)
      element(x, "usedStationCount", [&] { return count_text(e.nsta.v, x), true; });
    if (in(e.rms, 0, 1e300)) element(x, "standardError", [&] { return real_text(e.rms, x); });
    if (in(e.gap, 0, 360)) element(x, "azimuthalGap", [&] { return real_text(e.gap, x); });
    Real degrees = km_to_degrees(e.close);
    if (in(degrees, 0, 180)) element(x, "minimumDistance", [&] { return real_text(degrees, x); });
    return x.n > at;
  });
}

// <comment><text>name: value</text></comment>, when the value is there.
template <typename Write>
void comment(Text& x, const char* name, Write write) {
  element(x, "comment", [&] {
    return element(x, "text", [&] {
      put(x, name);
      put(x, ": ");
      return write();
    });
  });
}

// A latitude or longitude with its error, in degrees.
bool angle(Text& x, const char* name, const Real& v, const Real& km_error) {
  return element(x, name, [&] {
    if (!element(x, "value", [&] { return real_text(v, x); })) return false;
    Real error = km_to_degrees(km_error);
    if (error.has && value(error) >= 0)
      element(x, "uncertainty", [&] { return real_text(error, x); });
    return true;
  });
}

bool origin(Text& x, const Event& e, const Names& n) {
  if (!(e.id.word || e.time.has) || !e.lat.has || !e.lon.has) return false;
  return element(x, "origin", [&] {
    x.n -= 1;  // the publicID goes into the opening tag
    put(x, " publicID=\"");
    id(x, "origin", n);
    put(x, "\">");
    if (!element(x, "time", [&] {
          if (!element(x, "value", [&] { return event_time_text(e, x); })) return false;
          if (e.oterr.has && value(e.oterr) >= 0)
            element(x, "uncertainty", [&] { return real_text(e.oterr, x); });
          return true;
        }))
      return false;
    if (!angle(x, "latitude", e.lat, e.laterr) || !angle(x, "longitude", e.lon, e.lonerr))
      return false;
    quantity(x, "depth", e.depth, e.zerr, kMetresPerKm);
    quality(x, e);
    if (e.herr.has && value(e.herr) >= 0)
      element(x, "originUncertainty", [&] {
        return element(x, "horizontalUncertainty",
                       [&] { return number_text(value(e.herr) * kMetresPerKm, e.herr.digits, x); });
      });
    if (e.quality) comment(x, "quality", [&] { return put_xml(x, e.quality), true; });
    return true;
  });
}

bool magnitude(Text& x, const Event& e, const Names& n, bool has_origin) {
  return element(x, "magnitude", [&] {
    x.n -= 1;
    put(x, " publicID=\"");
    id(x, "magnitude", n);
    put(x, "\">");
    if (!element(x, "mag",
                 [&] { return element(x, "value", [&] { return real_text(e.mag, x); }); }))
      return false;
    if (e.mag_type) element(x, "type", [&] { return put(x, e.mag_type), true; });
    if (has_origin) element(x, "originID", [&] { return id(x, "origin", n), true; });
    if (e.mag_obs.has && e.mag_obs.v >= 0)
      element(x, "stationCount", [&] { return count_text(e.mag_obs.v, x), true; });
    return true;
  });
}

}  // namespace

void quakeml_begin(Sink& out, const FormSettings& f) {
  put_out(out,
          "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
          "<q:quakeml xmlns:q=\"http://quakeml.org/xmlns/quakeml/1.2\" "
          "xmlns=\"http://quakeml.org/xmlns/bed/1.2\">\n"
          "<eventParameters publicID=\"smi:");
  out.text(f.authority.data(), f.authority.size());
  put_out(out, "/catsieve\">\n");
}

// The origin and magnitude are written first, to learn whether the event
// has them, and then moved behind the references to them.
const Text& quakeml_event(const Event& e, long long number, const FormSettings& f, FormScratch& s) {
  Text& x = s.text;
  Text& parts = s.part;
  x.n = 0;
  Names names{f, e, number};
  bool has_origin = origin(x, e, names);
  bool has_mag = magnitude(x, e, names, has_origin);
  comment(x, "scalarMoment", [&] { return real_text(e.m0, x); });
  comment(x, "scalarMomentNst", [&] { return e.m0_obs.has && (count_text(e.m0_obs.v, x), true); });
  parts.n = 0;
  put(parts, x.buf, x.n);
  x.n = 0;
  put(x, "<event publicID=\"");
  id(x, "event", names);
  put(x, "\">");
  if (has_origin) element(x, "preferredOriginID", [&] { return id(x, "origin", names), true; });
  if (has_mag) element(x, "preferredMagnitudeID", [&] { return id(x, "magnitude", names), true; });
  if (e.type) element(x, "type", [&] { return put(x, e.type), true; });
  put(x, parts.buf, parts.n);
  put(x, "</event>\n");
  return x;
}

void quakeml_end(Sink& out, long long, const FormSettings&) {
  put_out(out, "</eventParameters>\n</q:quakeml>\n");
}

}  // namespace catsieve
