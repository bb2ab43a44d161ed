// The named columns of an event that the CSV rows and the GeoJSON
// properties share: the columns of the ComCat CSV that users already
// parse, then the further fields that some formats carry.
#ifndef OUTPUTS_EVENT_COLUMNS_H
#define OUTPUTS_EVENT_COLUMNS_H

#include "outputs/event.h"
#include "outputs/event_text.h"

namespace catsieve {

enum class ColumnKind {
  kNumber,
  kWord,  // text of the program's own, which never needs quoting in CSV
  kText,  // text from the record
};

struct EventColumn {
  const char* name;
  ColumnKind kind;
  // Appends the column's value; false when the event has none.
  bool (*value)(const Event& e, Text& to);
};

// The columns in their order; the table is seen by every form that writes
// it, so that a loop over it can call each column's writer directly.
namespace columns {

inline bool real(const Real& r, Text& to) { return real_text(r, to); }
inline bool count(const Count& c, Text& to) {
  if (c.has) count_text(c.v, to);
  return c.has;
}
inline bool text(const char* t, Text& to) {
  if (!t) return false;
  put(to, t);
  return true;
}

inline bool quality(const Event& e, Text& to) {
  if (!e.quality) return false;
  put(to, e.quality);
  return true;
}

constexpr ColumnKind kNum = ColumnKind::kNumber;
constexpr ColumnKind kWord = ColumnKind::kWord;
constexpr ColumnKind kText = ColumnKind::kText;

inline constexpr EventColumn event_columns[] = {
    {"time", kWord, event_time_text},
    {"latitude", kNum, [](const Event& e, Text& t) { return real(e.lat, t); }},
    {"longitude", kNum, [](const Event& e, Text& t) { return real(e.lon, t); }},
    {"depth", kNum, [](const Event& e, Text& t) { return real(e.depth, t); }},
    {"mag", kNum, [](const Event& e, Text& t) { return real(e.mag, t); }},
    {"magType", kWord, [](const Event& e, Text& t) { return text(e.mag_type, t); }},
    {"nst", kNum, [](const Event& e, Text& t) { return count(e.nsta, t); }},
    {"gap", kNum, [](const Event& e, Text& t) { return real(e.gap, t); }},
    // In degrees, as ComCat gives it; dminKm holds it as -closest reads it.
    {"dmin", kNum, [](const Event& e, Text& t) { return real(km_to_degrees(e.close), t); }},
    {"rms", kNum, [](const Event& e, Text& t) { return real(e.rms, t); }},
    {"horizontalError", kNum, [](const Event& e, Text& t) { return real(e.herr, t); }},
    {"depthError", kNum, [](const Event& e, Text& t) { return real(e.zerr, t); }},
    {"type", kWord, [](const Event& e, Text& t) { return text(e.type, t); }},
    {"id", kWord, [](const Event& e, Text& t) { return event_id_text(e.id, t); }},
    {"magNst", kNum, [](const Event& e, Text& t) { return count(e.mag_obs, t); }},
    {"quality", kText, quality},
    {"timeError", kNum, [](const Event& e, Text& t) { return real(e.oterr, t); }},
    {"latitudeError", kNum, [](const Event& e, Text& t) { return real(e.laterr, t); }},
    {"longitudeError", kNum, [](const Event& e, Text& t) { return real(e.lonerr, t); }},
    {"scalarMoment", kNum, [](const Event& e, Text& t) { return real(e.m0, t); }},
    {"scalarMomentNst", kNum, [](const Event& e, Text& t) { return count(e.m0_obs, t); }},
    {"dminKm", kNum, [](const Event& e, Text& t) { return real(e.close, t); }},
};
inline constexpr int nevent_columns = sizeof event_columns / sizeof event_columns[0];

}  // namespace columns

using columns::event_columns;
using columns::nevent_columns;

}  // namespace catsieve

#endif
