// The named columns of an event that the CSV rows and the GeoJSON
// properties share: the columns of the ComCat CSV that users already
// parse, then the further fields that some formats carry.
#ifndef CATSIEVE_EVENT_COLUMNS_H
#define CATSIEVE_EVENT_COLUMNS_H

#include <string>

#include "catsieve/event.h"

namespace catsieve {

struct EventColumn {
  const char* name;
  bool text;  // a string, not a number
  // Appends the column's value; false when the event has none.
  bool (*value)(const Event& e, std::string& to);
};

extern const EventColumn event_columns[];
extern const int nevent_columns;

}  // namespace catsieve

#endif
