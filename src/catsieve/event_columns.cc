// The named columns of an event.
#include "catsieve/event_columns.h"

#include "catsieve/event_text.h"

namespace catsieve {

namespace {

bool real(const Real& r, std::string& to) { return r.has && number_text(r.v, to); }
bool count(const Count& c, std::string& to) { return c.has && number_text(c.v, to); }
bool text(const char* t, std::string& to) {
  if (!t) return false;
  to += t;
  return true;
}

bool quality(const Event& e, std::string& to) {
  if (!e.quality) return false;
  to += e.quality;
  return true;
}

}  // namespace

const EventColumn event_columns[] = {
    {"time", true, event_time_text},
    {"latitude", false, [](const Event& e, std::string& to) { return real(e.lat, to); }},
    {"longitude", false, [](const Event& e, std::string& to) { return real(e.lon, to); }},
    {"depth", false, [](const Event& e, std::string& to) { return real(e.depth, to); }},
    {"mag", false, [](const Event& e, std::string& to) { return real(e.mag, to); }},
    {"magType", true, [](const Event& e, std::string& to) { return text(e.mag_type, to); }},
    {"nst", false, [](const Event& e, std::string& to) { return count(e.nsta, to); }},
    {"gap", false, [](const Event& e, std::string& to) { return real(e.gap, to); }},
    // In kilometres, as -closest reads it (ComCat gives degrees).
    {"dmin", false, [](const Event& e, std::string& to) { return real(e.close, to); }},
    {"rms", false, [](const Event& e, std::string& to) { return real(e.rms, to); }},
    {"horizontalError", false, [](const Event& e, std::string& to) { return real(e.herr, to); }},
    {"depthError", false, [](const Event& e, std::string& to) { return real(e.zerr, to); }},
    {"type", true, [](const Event& e, std::string& to) { return text(e.type, to); }},
    // No format carries an event identifier of its own.
    {"id", true, [](const Event&, std::string&) { return false; }},
    {"magNst", false, [](const Event& e, std::string& to) { return count(e.mag_obs, to); }},
    {"quality", true, quality},
    {"timeError", false, [](const Event& e, std::string& to) { return real(e.oterr, to); }},
    {"latitudeError", false, [](const Event& e, std::string& to) { return real(e.laterr, to); }},
    {"longitudeError", false, [](const Event& e, std::string& to) { return real(e.lonerr, to); }},
    {"scalarMoment", false, [](const Event& e, std::string& to) { return real(e.m0, to); }},
    {"scalarMomentNst", false, [](const Event& e, std::string& to) { return count(e.m0_obs, to); }},
};
const int nevent_columns = sizeof event_columns / sizeof event_columns[0];

}  // namespace catsieve
