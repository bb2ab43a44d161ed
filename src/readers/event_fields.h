// The fields that make a record an event: its origin-time fields and its
// epicentre.  A record is an event when each of them holds a digit; its ID
// stem is its origin time read exactly, as the time test reads it.
#ifndef READERS_EVENT_FIELDS_H
#define READERS_EVENT_FIELDS_H

#include <string>

#include "query/event_id.h"
#include "records/day_cache.h"
#include "records/line.h"

namespace catsieve {

struct EventFields {
  // The start of the record's day as the time test reads it.
  double (*day)(DayCache& days, const Line& l);
  Col year;
  int century;    // added to the year field
  Col month, day_of_month;
  Col day_of_year;  // instead of the month and day, when those have width 0
  Col hour, minute, seconds;
  // Degrees, and the minutes where a layout writes them apart (width 0 when
  // not).
  Col lat, lat_minutes, lon, lon_minutes;
};

bool is_event(const Line& l, const EventFields& f);
// The record's origin time exactly: its day as the time test finds it,
// hour and minute, and the seconds with the decimals the field gives (at
// most kMaxStemDigits kept).
Stem record_stem(DayCache& days, const Line& l, const EventFields& f);
// The first date or time field outside its range ("month 13"), or "" when
// all lie in theirs.  Such a field carries over, as the time test carries
// it: month 13 is January of the next year.
std::string field_out_of_range(const Line& l, const EventFields& f);

}  // namespace catsieve

#endif
