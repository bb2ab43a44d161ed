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

// The least and most a whole-number field of a time can read, in seconds
// of unit each: its value when it holds only digits, else anything its
// width allows.
inline void clock_field_range(const Line& l, Col c, double unit, double* least, double* most) {
  static constexpr double kTens[] = {1, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8};
  int value = 0;
  bool digits = c.width > 0;
  for (int i = 0; digits && i < c.width; ++i) {
    char ch = fchar(l, c.col + i);
    digits = ch >= '0' && ch <= '9';
    value = value * 10 + (ch - '0');
  }
  *most = digits ? value * unit : kTens[c.width] * unit;
  *least = digits ? *most : -*most;
}

// Whether a record whose day starts at start lies further from the
// interval than its time of day can reach, so that it fails the time test
// without its time of day being read.  Hours and minutes are whole numbers
// no longer than their fields (their values, when they hold only digits).
// A seconds field that holds only digits, blanks, signs and a point reads
// no more whole digits than it has characters before its point (anything
// else, "nan" say, must be read and compared).  The origin time of such a
// record, and so its ID stem, lies further than a minute from every time
// that the test passes.
inline bool otime_far(const Bounds<double>& b, double start, const Line& l, Col hour, Col minute,
                      Col seconds) {
  static constexpr double kTens[] = {1, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8};
  constexpr double kMargin = 60;  // beyond a stem's second and any rounding
  if (seconds.width > 8 || hour.width > 8 || minute.width > 8) return false;
  int whole = seconds.width;  // characters before the point
  for (int i = 0; i < seconds.width; ++i) {
    unsigned char ch = static_cast<unsigned char>(fchar(l, seconds.col + i));
    if (!kPlainSecondsChar[ch]) return false;
    if (ch == '.' && whole == seconds.width) whole = i;
  }
  int shown = whole > seconds.dec ? whole - seconds.dec : 0;  // implied decimals come off
  double reach = kTens[shown] + kMargin;
  double hour_least, hour_most, minute_least, minute_most;
  clock_field_range(l, hour, 3600, &hour_least, &hour_most);
  clock_field_range(l, minute, 60, &minute_least, &minute_most);
  return start + hour_least + minute_least - reach > b.max ||
         start + hour_most + minute_most + reach < b.min;
}

// The time test (-time) of a record whose day starts at start.
inline bool otime_in(const Bounds<double>& b, double start, const Line& l, Col hour, Col minute,
                     Col seconds) {
  if (otime_far(b, start, l, hour, minute, seconds)) return false;
  double t = util::time_of_day(start, fint(l, hour), fint(l, minute), freal(l, seconds));
  return b.holds(t);
}

}  // namespace catsieve

#endif
