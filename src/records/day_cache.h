// The day part of origin times, kept for the date text of the record
// before: records of a catalog come in time order, many to a day, so most
// records find their day already worked out.
#ifndef RECORDS_DAY_CACHE_H
#define RECORDS_DAY_CACHE_H

#include <cstring>

#include "query/query.h"
#include "records/field.h"
#include "records/line.h"
#include "util/calendar.h"

namespace catsieve {

struct DayCache {
  bool valid = false;
  unsigned long long text = 0;  // the date columns of the record before
  double start = 0;             // the time value of that day's start
};

// The start of the day written in columns from..from+width-1 (at most 8);
// day_start works it out from the record when the text is new, or when the
// record ends within the date.
template <typename DayStart>
inline double cached_day(DayCache& cache, const Line& l, int from, int width, DayStart day_start) {
  size_t at = static_cast<size_t>(from - 1);
  size_t n = static_cast<size_t>(width);
  if (n > sizeof cache.text || at + n > l.n) return day_start();
  unsigned long long text = 0;
  std::memcpy(&text, l.p + at, n);
  if (!cache.valid || text != cache.text) {
    cache.start = day_start();
    cache.text = text;
    cache.valid = true;
  }
  return cache.start;
}

// The characters of a seconds field that keep its value within the field's
// width: digits, blanks, signs and a point.
struct PlainChars {
  bool of[256];
  constexpr PlainChars() : of() {
    for (int c = '0'; c <= '9'; ++c) of[c] = true;
    for (unsigned char c : {' ', '.', '-', '+'}) of[c] = true;
  }
  constexpr bool operator[](unsigned char c) const { return of[c]; }
};
inline constexpr PlainChars kPlainSecondsChar{};

// The time test (-time) of a record whose day starts at start.  A record
// whose day lies further from the interval than its time of day can reach
// fails without its time of day being read: hours and minutes are whole
// numbers no longer than their fields, and so are the seconds when their
// field holds only digits, blanks, signs and a point (anything else, "nan"
// say, is read and compared).
inline bool otime_in(const Bounds<double>& b, double start, const Line& l, Col hour,
                     Col minute, Col seconds) {
  static constexpr double kTens[] = {1, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8};
  bool plain = seconds.width <= 8 && hour.width <= 8 && minute.width <= 8;
  for (int i = 0; plain && i < seconds.width; ++i)
    plain = kPlainSecondsChar[static_cast<unsigned char>(fchar(l, seconds.col + i))];
  if (plain) {
    // A day more than that, against any rounding.
    double reach = kTens[hour.width] * 3600 + kTens[minute.width] * 60 +
                   kTens[seconds.width] + 86400;
    if (start - reach > b.max || start + reach < b.min) return false;
  }
  double t = util::time_of_day(start, fint(l, hour), fint(l, minute), freal(l, seconds));
  return b.holds(t);
}

}  // namespace catsieve

#endif
