// Calendar arithmetic on time values: doubles counting seconds since
// 1700-01-01 00:00:00 (proleptic Gregorian, no time zone, no leap seconds).
#ifndef UTIL_CALENDAR_H
#define UTIL_CALENDAR_H

namespace util {

// Day number of 1700-01-01, the origin of time values.
constexpr int kJdnEpoch = 2341973;

// Time value of a date and time of day.  calendar 1 is Gregorian, anything
// else the four-year calendar.  Fields beyond their range carry over.
double timvar(int year, int month, int day, int hour, int minute,
              double seconds, int calendar);
// The two halves of timvar: the time value of the start of a day, and of a
// time of day on the day that starts at start.
double day_start(int year, int month, int day, int calendar);
inline double time_of_day(double start, int hour, int minute, double seconds) {
  return start + (hour * 3600 + minute * 60) + seconds;
}
// Splits a time value into its calendar fields.
void datime(double time, int* year, int* month, int* day, int* hour,
            int* minute, double* seconds, int calendar);

// Astronomical day number of a date (2000-01-01 is 2451545).  Years have no
// year zero; a month outside 0..14 is first carried into the year.
int jdn(int year, int month, int day, int calendar);
// The inverse of jdn.
void date(int daynumber, int* year, int* month, int* day, int calendar);
int isleap(int year, int calendar);
// Month and day of a day of the year (1 is 1 January).
void mnday(int dayofyear, int leap, int* month, int* day);
// 0 for a valid date, else 1003 (year 0), 1002 (month), 1001 (day).
int ckdate(int year, int month, int day, int calendar);

}  // namespace util

#endif
