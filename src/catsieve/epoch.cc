// Date words of -time: yyyymmddhhmmss[.fff] followed by an optional signed
// offset such as +1d12h.
#include <cstdlib>
#include <cstring>

#include "catsieve/args.h"
#include "catsieve/strict_args.h"
#include "util/calendar.h"
#include "util/qerror.h"

namespace catsieve {

namespace {

bool is_digit(char c) { return c >= '0' && c <= '9'; }

int digits_at(const char* word, int from, int width) {
  char buf[8];
  std::memcpy(buf, word + from, width);
  buf[width] = '\0';
  return std::atoi(buf);
}

// Steps past digits, one point and the digits after it.
const char* skip_number(const char* p) {
  while (is_digit(*p)) ++p;
  if (*p == '.') ++p;
  while (is_digit(*p)) ++p;
  return p;
}

double unit_seconds(char c) {
  switch (c) {
    case 'd': case 'D': return 86400;
    case 'h': case 'H': return 3600;
    case 'm': case 'M': return 60;
    case 's': case 'S': return 1;
    default: return 0;
  }
}

}  // namespace

double epoch(const char* word) {
  int n = 0;
  while (is_digit(word[n])) ++n;
  if (n != 14) util::error("Bad date format: \"%s\"", word);
  int year = digits_at(word, 0, 4);
  int month = digits_at(word, 4, 2);
  int day = digits_at(word, 6, 2);
  int hour = digits_at(word, 8, 2);
  int minute = digits_at(word, 10, 2);
  double seconds = std::atof(word + 12);
  const char* rest = word + 14;
  if (*rest == '.') {
    ++rest;
    while (is_digit(*rest)) ++rest;
  }
  double t = util::timvar(year, month, day, hour, minute, seconds, 1) + offset(rest);
  strict_check_time(word);
  return t;
}

double offset(const char* text) {
  if (*text == '\0') return 0;
  double sign;
  if (*text == '+') {
    sign = 1;
  } else if (*text == '-') {
    sign = -1;
  } else {
    util::error("Illegal sign character \"%c\"", *text);
  }
  const char* p = text + 1;
  double total = 0;
  while (is_digit(*p) || *p == '.') {
    double number = std::atof(p);
    p = skip_number(p);
    double unit = unit_seconds(*p);
    if (unit == 0) util::error("Bad time offset unit \"%c\"", *p);
    total += number * unit;
    ++p;
  }
  return sign * total;
}

}  // namespace catsieve
