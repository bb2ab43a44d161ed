// Selected events as a QuakeML 1.2 document.  Resources are named
// smi:local/event/N, smi:local/origin/N and smi:local/magnitude/N after the
// event's place in the output.  Depths and their errors go in metres, the
// closest station in degrees of arc; an origin needs a time and an
// epicentre, so an event without them has none.
#include "catsieve/quakeml_sink.h"

#include <cstring>
#include <string>

#include "catsieve/event_text.h"
#include "catsieve/output.h"

namespace catsieve {

namespace {

constexpr double kMetresPerKm = 1000.0;

void put(const char* text) { out_text(text, std::strlen(text)); }

// <name><value>v</value>[<uncertainty>u</uncertainty>]</name>
void quantity(std::string& x, const char* name, const Real& v, const Real& error, double scale) {
  std::string value, uncertainty;
  if (!v.has || !number_text(v.v * scale, value)) return;
  x += "<";
  x += name;
  x += "><value>" + value + "</value>";
  if (error.has && error.v >= 0 && number_text(error.v * scale, uncertainty))
    x += "<uncertainty>" + uncertainty + "</uncertainty>";
  x += "</";
  x += name;
  x += ">";
}

// <name>v</name>, when v is a number in the range the schema allows.
void element(std::string& x, const char* name, const Real& v, double lo, double hi) {
  std::string value;
  if (!v.has || v.v < lo || v.v > hi || !number_text(v.v, value)) return;
  x += "<";
  x += name;
  x += ">" + value + "</";
  x += name;
  x += ">";
}

void count(std::string& x, const char* name, const Count& c) {
  if (c.has && c.v >= 0) element(x, name, Real{true, static_cast<double>(c.v)}, 0, 1e9);
}

bool origin(std::string& x, const Event& e, const std::string& n) {
  std::string time;
  if (!event_time_text(e, time) || !e.lat.has || !e.lon.has || e.lat.v < -90 || e.lat.v > 90)
    return false;
  std::string lat, lon;
  if (!number_text(e.lat.v, lat) || !number_text(e.lon.v, lon)) return false;
  x += "<origin publicID=\"smi:local/origin/" + n + "\">";
  x += "<time><value>" + time + "</value>";
  std::string error;
  if (e.oterr.has && e.oterr.v >= 0 && number_text(e.oterr.v, error))
    x += "<uncertainty>" + error + "</uncertainty>";
  x += "</time>";
  x += "<latitude><value>" + lat + "</value></latitude>";
  x += "<longitude><value>" + lon + "</value></longitude>";
  quantity(x, "depth", e.depth, e.zerr, kMetresPerKm);
  std::string quality;
  count(quality, "usedStationCount", e.nsta);
  element(quality, "standardError", e.rms, 0, 1e300);
  element(quality, "azimuthalGap", e.gap, 0, 360);
  if (e.close.has)
    element(quality, "minimumDistance", Real{true, e.close.v / kKmPerDegree}, 0, 180);
  if (!quality.empty()) x += "<quality>" + quality + "</quality>";
  std::string herr;
  if (e.herr.has && e.herr.v >= 0 && number_text(e.herr.v * kMetresPerKm, herr))
    x += "<originUncertainty><horizontalUncertainty>" + herr +
         "</horizontalUncertainty></originUncertainty>";
  x += "</origin>";
  return true;
}

bool magnitude(std::string& x, const Event& e, const std::string& n, bool has_origin) {
  std::string mag;
  if (!e.mag.has || !number_text(e.mag.v, mag)) return false;
  x += "<magnitude publicID=\"smi:local/magnitude/" + n + "\">";
  x += "<mag><value>" + mag + "</value></mag>";
  if (e.mag_type) x += std::string("<type>") + e.mag_type + "</type>";
  if (has_origin) x += "<originID>smi:local/origin/" + n + "</originID>";
  count(x, "stationCount", e.mag_obs);
  x += "</magnitude>";
  return true;
}

}  // namespace

void quakeml_begin() {
  put("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<q:quakeml xmlns:q=\"http://quakeml.org/xmlns/quakeml/1.2\" "
      "xmlns=\"http://quakeml.org/xmlns/bed/1.2\">\n"
      "<eventParameters publicID=\"smi:local/catsieve\">\n");
}

void quakeml_event(const Event& e, long long number) {
  static std::string x, parts;
  std::string n = std::to_string(number);
  parts.clear();
  bool has_origin = origin(parts, e, n);
  bool has_mag = magnitude(parts, e, n, has_origin);
  x.clear();
  x += "<event publicID=\"smi:local/event/" + n + "\">";
  if (has_origin) x += "<preferredOriginID>smi:local/origin/" + n + "</preferredOriginID>";
  if (has_mag) x += "<preferredMagnitudeID>smi:local/magnitude/" + n + "</preferredMagnitudeID>";
  if (e.type) x += std::string("<type>") + e.type + "</type>";
  x += parts;
  x += "</event>\n";
  out_text(x.data(), x.size());
}

void quakeml_end() { put("</eventParameters>\n</q:quakeml>\n"); }

}  // namespace catsieve
