// Events, their ID stems and their date and time fields.
#include "readers/event_fields.h"

#include <cmath>

#include "records/field.h"
#include "util/calendar.h"

namespace catsieve {

namespace {

constexpr int kMonths = 12;
constexpr int kHours = 24;
constexpr int kMinutes = 60;
constexpr double kSeconds = 60.0;
constexpr int kDaysInMonth[] = {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
constexpr long long kPowers[] = {1, 10, 100, 1000, 10000, 100000, 1000000};

bool has_digit(const Line& l, Col c) {
  if (c.width == 0) return false;
  size_t from = static_cast<size_t>(c.col - 1);
  size_t to = from + static_cast<size_t>(c.width);
  if (to > l.n) to = l.n;
  for (size_t i = from; i < to; ++i)
    if (l.p[i] >= '0' && l.p[i] <= '9') return true;
  return false;
}

bool by_day_of_year(const EventFields& f) { return f.month.width == 0; }

std::string field_text_of(const Line& l, Col c) {
  char buf[kFieldMax + 1];
  std::string t = field_text(l, c.col, c.width, buf);
  size_t a = t.find_first_not_of(' ');
  return a == std::string::npos ? "" : t.substr(a, t.find_last_not_of(' ') - a + 1);
}

}  // namespace

bool is_event(const Line& l, const EventFields& f) {
  bool date = by_day_of_year(f) ? has_digit(l, f.day_of_year)
                                : has_digit(l, f.month) && has_digit(l, f.day_of_month);
  return date && has_digit(l, f.year) && has_digit(l, f.hour) && has_digit(l, f.minute) &&
         (has_digit(l, f.lat) || has_digit(l, f.lat_minutes)) &&
         (has_digit(l, f.lon) || has_digit(l, f.lon_minutes));
}

Stem record_stem(DayCache& days, const Line& l, const EventFields& f) {
  long long whole =
      static_cast<long long>(f.day(days, l)) + fint(l, f.hour) * 3600LL + fint(l, f.minute) * 60LL;
  long long units;
  int digits;
  PlainNumber n;
  if (short_number(l, f.seconds, &n)) {
    digits = n.fraction + f.seconds.dec;
    units = n.negative ? -n.mantissa : n.mantissa;
    while (digits > kMaxStemDigits) {
      units /= 10;
      --digits;
    }
  } else {
    // Text that only the C library reads: its value, to the decimals written.
    double seconds = freal(l, f.seconds);
    digits = 0;
    units = std::isfinite(seconds) && std::fabs(seconds) < 1e12 ? std::llround(seconds) : 0;
  }
  Stem s;
  s.digits = digits;
  long long scale = kPowers[digits];
  long long carried = units >= 0 ? units / scale : -((-units + scale - 1) / scale);
  s.seconds = whole + carried;
  s.frac = units - carried * scale;
  return s;
}

std::string field_out_of_range(const Line& l, const EventFields& f) {
  int year = fint(l, f.year) + f.century;
  auto out = [&l](const char* name, Col c) {
    return std::string(name) + " " + field_text_of(l, c);
  };
  if (by_day_of_year(f)) {
    int doy = fint(l, f.day_of_year);
    if (doy < 1 || doy > 365 + util::isleap(year, 1)) return out("day of the year", f.day_of_year);
  } else {
    int month = fint(l, f.month);
    if (month < 1 || month > kMonths) return out("month", f.month);
    int day = fint(l, f.day_of_month);
    int last = kDaysInMonth[month] + (month == 2 ? util::isleap(year, 1) : 0);
    if (day < 1 || day > last) return out("day", f.day_of_month);
  }
  int hour = fint(l, f.hour);
  if (hour < 0 || hour >= kHours) return out("hour", f.hour);
  int minute = fint(l, f.minute);
  if (minute < 0 || minute >= kMinutes) return out("minute", f.minute);
  double seconds = freal(l, f.seconds);
  if (!(seconds >= 0 && seconds < kSeconds)) return out("seconds", f.seconds);
  return "";
}

}  // namespace catsieve
