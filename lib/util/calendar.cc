// Day numbers and calendar dates.  The year is counted from March in the
// day count, so that the leap day falls at its end.
#include "util/calendar.h"

#include <cmath>

namespace util {

namespace {

// Days in the year before the start of each month, common and leap year;
// entries 13 and 14 run on into January and February of the next year.
const int eom[2][15] = {
    {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334, 365, 396, 424},
    {0, 31, 60, 91, 121, 152, 182, 213, 244, 274, 305, 335, 366, 397, 425},
};

// Integer division and remainder rounding toward minus infinity.
int fdiv(int a, int b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }
int fmod(int a, int b) { return a - fdiv(a, b) * b; }

}  // namespace

int isleap(int year, int calendar) {
  if (year < 0) ++year;
  if (calendar != 1) return year % 4 == 0;
  return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int jdn(int year, int month, int day, int calendar) {
  if (year < 0) ++year;
  if (month < 0 || month > 14) {
    year += fdiv(month - 1, 12);
    month = fmod(month - 1, 12) + 1;
  }
  // January and February (and month 0, December) belong to the year before.
  if (month <= 2) {
    --year;
    month += 12;
  }
  int n = fdiv(1461 * (year + 4712), 4);
  if (calendar == 1) n += fdiv(year, 400) - fdiv(year, 100) + 2;
  return n + eom[0][month - 1] + day;
}

void date(int daynumber, int* year, int* month, int* day, int calendar) {
  int y, r;
  if (calendar == 1) {
    int a = fdiv(daynumber + 31738, 146097);
    y = -4799 + 400 * a;
    r = daynumber + 31739 - 146097 * a;
    int b = fdiv(r - 1, 36524);
    if (b > 3) b = 3;
    y += 100 * b;
    r -= 36524 * b;
  } else {
    y = -4799;
    r = daynumber + 31777;
  }
  int c = fdiv(r - 1, 1461);
  y += 4 * c;
  r -= 1461 * c;
  int e = fdiv(r - 1, 365);
  if (e > 3) e = 3;
  y += e;
  r -= 365 * e;
  if (y <= 0) --y;
  *year = y;
  mnday(r, isleap(y, calendar), month, day);
}

void mnday(int dayofyear, int leap, int* month, int* day) {
  int m = 1;
  while (m < 14 && dayofyear > eom[leap][m]) ++m;
  *month = m;
  *day = dayofyear - eom[leap][m - 1];
}

int ckdate(int year, int month, int day, int calendar) {
  if (year == 0) return 1003;
  if (month < 1 || month > 12) return 1002;
  int leap = isleap(year, calendar);
  if (day < 1 || day > eom[leap][month] - eom[leap][month - 1]) return 1001;
  return 0;
}

double day_start(int year, int month, int day, int calendar) {
  return (jdn(year, month, day, calendar) - kJdnEpoch) * 86400.0;
}

double timvar(int year, int month, int day, int hour, int minute, double seconds, int calendar) {
  return time_of_day(day_start(year, month, day, calendar), hour, minute, seconds);
}

void datime(double time, int* year, int* month, int* day, int* hour, int* minute, double* seconds,
            int calendar) {
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
