// Origin times the plain way: the day worked out for every record, and
// every time of day read before the time test.
#ifndef CATSIEVE_DAY_CACHE_H
#define CATSIEVE_DAY_CACHE_H

#include "catsieve/query.h"
#include "catsieve/field.h"
#include "catsieve/stream.h"
#include "util/calendar.h"

namespace catsieve {

struct DayCache {};

template <typename DayStart>
inline double cached_day(DayCache&, const Line&, int, int, DayStart day_start) {
  return day_start();
}

inline bool otime_in(const Bounds<double>& b, double start, const Line& l, Col hour,
                     Col minute, Col seconds) {
  double t = util::time_of_day(start, fint(l, hour), fint(l, minute), freal(l, seconds));
  return b.holds(t);
}

}  // namespace catsieve

#endif
