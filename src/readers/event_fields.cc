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

bool by_day_of_year(const EventFields& f) { return f.month.width == 0; }

std::string field_text_of(const Line& l, Col c) {
  char buf[kFieldMax + 1];
  std::string t = field_text(l, c.col, c.width, buf);
  size_t a = t.find_first_not_of(' ');
  return a == std::string::npos ? "" : t.substr(a, t.find_last_not_of(' ') - a + 1);
}

}  // namespace

bool is_event(const Line& l, const EventFields& f) { return is_event_inline(l, f); }

bool event_and_stem(DayCache& days, const Line& l, const EventFields& f, bool ids, Stem* stem) {
  return event_and_stem_inline(days, l, f, ids, stem);
}

Stem record_stem(DayCache& days, const Line& l, const EventFields& f) {
  return record_stem_inline(days, l, f);
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
