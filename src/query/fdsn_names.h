// The parameters of the FDSN event service that select events, one row
// each: its name, the web service's short alias, its type and what it
// sets in a query.  The command's two-dash options of these names and the
// web service's parameters both read this table, so that the same names
// select the same events.
#ifndef QUERY_FDSN_NAMES_H
#define QUERY_FDSN_NAMES_H

#include <string>

#include "query/query.h"

namespace catsieve {

struct FdsnName {
  const char* name;
  const char* alias;  // the web service's short name, or null
  const char* type;   // its type in a service description (WADL): xs:dateTime, ...
  // Sets the query's field from the value's text; false with the reason.
  bool (*set)(Query& q, const std::string& value, std::string* why);
  const char* help;  // one line
};

extern const FdsnName kFdsnNames[];
extern const int kFdsnNameCount;

// The row of a name or an alias, or null.
const FdsnName* fdsn_name(const std::string& name);
// Once every parameter is set: a minimum above its maximum (but for
// longitude, which then crosses the 180-degree meridian) and a radius given
// both in degrees and in km are errors; the radius tests are made ready.
bool finish_fdsn(Query& q, std::string* why);
// Whether name is a QuakeML event type.
bool quakeml_event_type(const std::string& name);

}  // namespace catsieve

#endif
