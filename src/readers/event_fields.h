// The fields that make a record an event: its origin-time fields and its
// epicentre.  A record is an event when each of them holds a digit; its ID
// stem is its origin time read exactly, as the time test reads it.
#ifndef READERS_EVENT_FIELDS_H
#define READERS_EVENT_FIELDS_H

#include <cmath>
#include <string>

#include "query/event_id.h"
#include "records/day_cache.h"
#include "records/field.h"
#include "records/line.h"

namespace catsieve {

struct EventFields;
// Whether the record is an event by the columns of f, and when ids is set
// its ID stem.
bool event_and_stem(DayCache& days, const Line& l, const EventFields& f, bool ids, Stem* stem);

struct EventFields {
  // The start of the record's day as the time test reads it.
  double (*day)(DayCache& days, const Line& l);
  Col year;
  int century;  // added to the year field
  Col month, day_of_month;
  Col day_of_year;  // instead of the month and day, when those have width 0
  Col hour, minute, seconds;
  // Degrees, and the minutes where a layout writes them apart (width 0 when
  // not).
  Col lat, lat_minutes, lon, lon_minutes;
  // Whether the record is an event, and when ids is set its stem: by the
  // columns above as they are given, or by code made for a layout's own.
  bool (*event_stem)(DayCache& days, const Line& l, const EventFields& f, bool ids,
                     Stem* stem) = event_and_stem;
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

// The event test and the stem inline, for fields that are constants of a
// layout.
inline bool has_digit(const Line& l, Col c) {
  if (c.width == 0) return false;
  size_t from = static_cast<size_t>(c.col - 1);
  size_t to = from + static_cast<size_t>(c.width);
  if (to > l.n) to = l.n;
  for (size_t i = from; i < to; ++i)
    if (l.p[i] >= '0' && l.p[i] <= '9') return true;
  return false;
}

inline bool is_event_inline(const Line& l, const EventFields& f) {
  bool date = f.month.width == 0 ? has_digit(l, f.day_of_year)
                                 : has_digit(l, f.month) && has_digit(l, f.day_of_month);
  return date && has_digit(l, f.year) && has_digit(l, f.hour) && has_digit(l, f.minute) &&
         (has_digit(l, f.lat) || has_digit(l, f.lat_minutes)) &&
         (has_digit(l, f.lon) || has_digit(l, f.lon_minutes));
}

inline Stem record_stem_inline(DayCache& days, const Line& l, const EventFields& f) {
  static constexpr long long kPowers[] = {1, 10, 100, 1000, 10000, 100000, 1000000};
  long long whole =
      static_cast<long long>(f.day(days, l)) + fint(l, f.hour) * 3600LL + fint(l, f.minute) * 60LL;
  long long units;
  int digits;
  PlainNumber n;
  if (short_number(l, f.seconds, &n)) {
    digits = n.fraction + f.seconds.dec;
    units = n.negative ? -n.mantissa : n.mantissa;
    while (digits > kMaxStemDigits) {
      units /= 10;
      --digits;
    }
  } else {
    // Text that only the C library reads: its value, to the decimals written.
    double seconds = freal(l, f.seconds);
    digits = 0;
    units = std::isfinite(seconds) && std::fabs(seconds) < 1e12 ? std::llround(seconds) : 0;
  }
  Stem s;
  s.digits = digits;
  long long scale = kPowers[digits];
  long long carried = units >= 0 ? units / scale : -((-units + scale - 1) / scale);
  s.seconds = whole + carried;
  s.frac = units - carried * scale;
  return s;
}

inline bool event_and_stem_inline(DayCache& days, const Line& l, const EventFields& f, bool ids,
                                  Stem* stem) {
  if (!is_event_inline(l, f)) return false;
  if (ids) *stem = record_stem_inline(days, l, f);
  return true;
}

// The event test and stem of fields known when compiling.
template <const EventFields& f>
bool fixed_event_stem(DayCache& days, const Line& l, const EventFields&, bool ids, Stem* stem) {
  return event_and_stem_inline(days, l, f, ids, stem);
}

}  // namespace catsieve

#endif
