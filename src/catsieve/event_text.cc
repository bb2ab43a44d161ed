// Event fields as text.
#include "catsieve/event_text.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "util/calendar.h"

namespace catsieve {

namespace {

constexpr int kMaxDigits = 6;
constexpr long long kSecondsPerDay = 86400;
// Time values of 0001-01-01 and of 10000-01-01.
const double kFirstTime = (util::jdn(1, 1, 1, 1) - util::kJdnEpoch) * 86400.0;
const double kEndTime = (util::jdn(10000, 1, 1, 1) - util::kJdnEpoch) * 86400.0;

}  // namespace

bool number_text(double v, std::string& to) {
  if (!std::isfinite(v)) return false;
  char buf[32];
  int n = std::snprintf(buf, sizeof buf, "%.15g", v);
  if (std::strcmp(buf, "-0") == 0) n = std::snprintf(buf, sizeof buf, "0");
  to.append(buf, static_cast<size_t>(n));
  return true;
}

bool iso_time_text(double time, int digits, std::string& to) {
  if (!(time >= kFirstTime && time < kEndTime)) return false;
  if (digits < 0) digits = 0;
  if (digits > kMaxDigits) digits = kMaxDigits;
  long long scale = 1;
  for (int i = 0; i < digits; ++i) scale *= 10;
  // Whole units of the last written decimal, counted from 1700, split into
  // days and the units into the day.
  long long units = std::llround(time * static_cast<double>(scale));
  long long per_day = kSecondsPerDay * scale;
  long long days = units / per_day;
  long long rest = units % per_day;
  if (rest < 0) {
    rest += per_day;
    --days;
  }
  int year, month, day;
  util::date(static_cast<int>(days) + util::kJdnEpoch, &year, &month, &day, 1);
  if (year < 1 || year > 9999) return false;
  long long secs = rest / scale;
  long long frac = rest % scale;
  char buf[48];
  int n = std::snprintf(buf, sizeof buf, "%04d-%02d-%02dT%02lld:%02lld:%02lld", year, month, day,
                        secs / 3600, secs / 60 % 60, secs % 60);
  to.append(buf, static_cast<size_t>(n));
  if (digits > 0) {
    n = std::snprintf(buf, sizeof buf, ".%0*lld", digits, frac);
    to.append(buf, static_cast<size_t>(n));
  }
  to += 'Z';
  return true;
}

bool event_time_text(const Event& e, std::string& to) {
  return e.time.has && iso_time_text(e.time.v, e.time_digits, to);
}

void csv_cell(const char* text, std::string& to) {
  if (!std::strpbrk(text, ",\"\r\n")) {
    to += text;
    return;
  }
  to += '"';
  for (const char* p = text; *p; ++p) {
    if (*p == '"') to += '"';
    to += *p;
  }
  to += '"';
}

void json_string(const char* text, std::string& to) {
  to += '"';
  for (const char* p = text; *p; ++p) {
    unsigned char c = static_cast<unsigned char>(*p);
    if (c == '"' || c == '\\') {
      to += '\\';
      to += *p;
    } else if (c < 0x20) {
      char esc[8];
      std::snprintf(esc, sizeof esc, "\\u%04x", c);
      to += esc;
    } else {
      to += *p;
    }
  }
  to += '"';
}

}  // namespace catsieve
