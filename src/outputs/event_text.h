// Event fields as text for the output forms: numbers, ISO 8601 times and
// the quoting of CSV, JSON and XML, written into the text of one output
// record.
#ifndef OUTPUTS_EVENT_TEXT_H
#define OUTPUTS_EVENT_TEXT_H

#include <cstddef>
#include <cstring>

#include "outputs/event.h"

namespace catsieve {

// The text of one output record, built in place.  No record's text comes
// near the capacity; what would pass it is left out rather than written
// past the end.  Each thread that formats events builds them in texts of
// its own.
struct Text {
  static constexpr size_t kCapacity = 8192;
  char buf[kCapacity];
  size_t n = 0;
  // Events come in time order, many to a day: the date text of the day
  // written last is kept.
  long long date_day = -1;
  char date_text[10];
};
inline void put(Text& t, char c) {
  if (t.n < Text::kCapacity) t.buf[t.n++] = c;
}
inline void put(Text& t, const char* p, size_t n) {
  if (n > Text::kCapacity - t.n) n = Text::kCapacity - t.n;
  std::memcpy(t.buf + t.n, p, n);
  t.n += n;
}
inline void put(Text& t, const char* s) { put(t, s, std::strlen(s)); }

// A finite value written with the given decimals, less trailing zeros (so
// that a field read as 12.340 is written 12.34), or with kAnyDigits as the
// shortest text of at most 15 significant digits; false for an infinity or
// a not-a-number, which no output form can carry.
bool number_text(double v, int digits, Text& to);
// Whole units of the last of the given decimals (at most 9), written with
// the point before those decimals, less trailing zeros.
void units_text(long long units, int digits, Text& to);
inline bool real_text(const Real& r, Text& to) {
  if (!r.has) return false;
  if (!r.exact) return number_text(value(r), r.digits, to);
  units_text(r.bits, r.digits, to);
  return true;
}
void count_text(long long v, Text& to);
// A time value as "1995-02-14T03:21:07.42Z" with the given decimals of the
// seconds (at most 6); false for a time outside the years 1 to 9999.
bool iso_time_text(double time, int digits, Text& to);
// The time text of an exact origin time.
bool stem_time_text(const Stem& s, Text& to);
// The time text of an event, or nothing.
bool event_time_text(const Event& e, Text& to);
// The event's ID, or nothing when it has none.
bool event_id_text(const EventId& id, Text& to);

// Appends text as one CSV cell, quoted when it holds a comma, a quote or a
// line end.
void csv_cell(const char* text, size_t n, Text& to);
// Appends text as a JSON string, quotes included.
void json_string(const char* text, size_t n, Text& to);

}  // namespace catsieve

#endif
