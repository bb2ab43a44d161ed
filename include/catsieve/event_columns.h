// The named columns of an event that the CSV rows and the GeoJSON
// properties share: the columns of the ComCat CSV that users already
// parse, then the further fields that some formats carry.
#ifndef CATSIEVE_EVENT_COLUMNS_H
#define CATSIEVE_EVENT_COLUMNS_H

#include "catsieve/event.h"
#include "catsieve/event_text.h"

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

extern const EventColumn event_columns[];
extern const int nevent_columns;

}  // namespace catsieve

#endif
