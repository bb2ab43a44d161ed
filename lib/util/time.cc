// Time values: seconds since 1700-01-01 00:00:00.
#include <cmath>

#include "util/calendar.h"

namespace util {

double day_start(int year, int month, int day, int calendar) {
  return (jdn(year, month, day, calendar) - kJdnEpoch) * 86400.0;
}

double timvar(int year, int month, int day, int hour, int minute,
              double seconds, int calendar) {
  return time_of_day(day_start(year, month, day, calendar), hour, minute, seconds);
}

void datime(double time, int* year, int* month, int* day, int* hour,
            int* minute, double* seconds, int calendar) {
  // Day counts are kept within half a million years of the origin so that
  // the integer day arithmetic cannot overflow on absurd time values.
  const double limit = 2e8;
  double d = std::floor(time / 86400);
  bool inside = d > -limit && d < limit;
  if (!inside) d = d > 0 ? limit : -limit;
  int days = static_cast<int>(d);
  date(days + kJdnEpoch, year, month, day, calendar);
  double rest = inside ? time - days * 86400.0 : 0.0;
  *hour = static_cast<int>(rest / 3600);
  rest -= *hour * 3600.0;
  *minute = static_cast<int>(rest / 60);
  *seconds = rest - *minute * 60.0;
}

}  // namespace util
