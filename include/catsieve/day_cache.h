// The day part of origin times, kept for the date text of the record
// before: records of a catalog come in time order, many to a day, so most
// records find their day already worked out.
#ifndef CATSIEVE_DAY_CACHE_H
#define CATSIEVE_DAY_CACHE_H

#include <cstring>

#include "catsieve/stream.h"

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

}  // namespace catsieve

#endif
