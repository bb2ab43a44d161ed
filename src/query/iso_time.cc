// ISO 8601 date-times of the command line and of queries.
#include "query/iso_time.h"

#include <cstdlib>

#include "util/calendar.h"

namespace catsieve {

namespace {

constexpr int kLastHour = 23;
constexpr int kLastMinute = 59;
// A leap second is written as second 60.
constexpr int kLastSecond = 60;
constexpr long kDateLength = 10;  // yyyy-mm-dd

bool is_digit(char c) { return c >= '0' && c <= '9'; }

// Reads exactly width digits at *p, followed by the separator sep (none
// when sep is '\0'), and steps past them.
bool number(const char** p, int width, char sep, int* value) {
  int n = 0;
  for (int i = 0; i < width; ++i) {
    char c = (*p)[i];
    if (!is_digit(c)) return false;
    n = n * 10 + (c - '0');
  }
  *p += width;
  if (sep) {
    if (**p != sep) return false;
    ++*p;
  }
  *value = n;
  return true;
}

// A zone offset: "Z", or a sign and hh:mm or hhmm; the seconds to add to
// local time for UTC.
bool zone(const char** p, int* shift) {
  *shift = 0;
  if (**p == 'Z') {
    ++*p;
    return true;
  }
  if (**p != '+' && **p != '-') return true;
  int sign = **p == '-' ? 1 : -1;  // local minus offset is UTC
  ++*p;
  int hours, minutes;
  if (!number(p, 2, 0, &hours)) return false;
  if (**p == ':') ++*p;
  if (!number(p, 2, 0, &minutes)) return false;
  if (hours > kLastHour || minutes > kLastMinute) return false;
  *shift = sign * (hours * 3600 + minutes * 60);
  return true;
}

}  // namespace

bool iso_time(const char* text, double* value) {
  const char* p = text;
  int year, month, day, hour = 0, minute = 0, second = 0;
  double seconds = 0;
  if (!number(&p, 4, '-', &year) || !number(&p, 2, '-', &month) || !number(&p, 2, 0, &day))
    return false;
  if (*p == 'T' || *p == ' ') {
    ++p;
    if (!number(&p, 2, ':', &hour) || !number(&p, 2, 0, &minute)) return false;
    if (*p == ':') {
      // Read as -time reads its seconds, so that equal texts give equal
      // values to the last bit.
      const char* digits = ++p;
      if (!number(&p, 2, 0, &second)) return false;
      if (*p == '.') {
        ++p;
        if (!is_digit(*p)) return false;
        while (is_digit(*p)) ++p;
      }
      seconds = std::strtod(digits, nullptr);
    }
  }
  int shift;
  bool date_only = p == text + kDateLength;
  if (date_only && (*p == '+' || *p == '-')) return false;
  if (!zone(&p, &shift) || *p != '\0') return false;
  if (year == 0 || util::ckdate(year, month, day, 1) != 0) return false;
  if (hour > kLastHour || minute > kLastMinute || second > kLastSecond) return false;
  *value = util::timvar(year, month, day, hour, minute, seconds, 1) + shift;
  return true;
}

}  // namespace catsieve
