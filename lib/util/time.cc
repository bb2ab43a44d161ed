// Time values: seconds since 1700-01-01 00:00:00.
#include <cmath>

#include "util/calendar.h"

namespace util {

double timvar(int year, int month, int day, int hour, int minute,
              double seconds, int calendar) {
  // Records of a catalog come in time order, many to a day: the day number
  // of the record before is usually the one wanted.
  static int last_year = 0, last_month = 0, last_day = 0, last_calendar = 0;
  static int last_jdn = jdn(0, 0, 0, 0);
  if (year != last_year || month != last_month || day != last_day ||
      calendar != last_calendar) {
    last_jdn = jdn(year, month, day, calendar);
    last_year = year;
    last_month = month;
    last_day = day;
    last_calendar = calendar;
  }
  return (last_jdn - kJdnEpoch) * 86400.0 +
         (hour * 3600 + minute * 60) + seconds;
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
