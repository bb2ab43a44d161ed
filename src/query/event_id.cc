// Event identifiers: their key, their text and its reading.
#include "query/event_id.h"

#include <cstdio>

#include "util/calendar.h"

namespace catsieve {

namespace {

constexpr long long kSecondsPerDay = 86400;
constexpr long long kPowers[] = {1, 10, 100, 1000, 10000, 100000, 1000000};
// The key's parts: the decimals scaled to kMaxStemDigits in 20 bits, their
// number in 3.
constexpr int kFracBits = 20;
constexpr int kDigitBits = 3;
constexpr int kClockFields = 14;  // YYYYMMDDhhmmss
constexpr int kLastYear = 9999;

long long floor_div(long long a, long long b) { return a / b - (a % b != 0 && (a < 0) != (b < 0)); }

bool is_digit(char c) { return c >= '0' && c <= '9'; }
bool is_word_char(char c) { return (c >= 'a' && c <= 'z') || c == '_'; }

}  // namespace

long long stem_key(const Stem& s) {
  long long scaled = s.frac * kPowers[kMaxStemDigits - s.digits];
  return (s.seconds * (1LL << kFracBits) + scaled) * (1LL << kDigitBits) + s.digits;
}

CivilTime civil_time(long long seconds) {
  long long days = floor_div(seconds, kSecondsPerDay);
  long long rest = seconds - days * kSecondsPerDay;
  CivilTime t;
  util::date(static_cast<int>(days) + util::kJdnEpoch, &t.year, &t.month, &t.day, 1);
  t.hour = static_cast<int>(rest / 3600);
  t.minute = static_cast<int>(rest / 60 % 60);
  t.second = static_cast<int>(rest % 60);
  return t;
}

bool event_id_text(const EventId& id, std::string* text) {
  if (!id.word) return false;
  CivilTime t = civil_time(id.stem.seconds);
  if (t.year < 1 || t.year > kLastYear) return false;
  char buf[64];
  int n = std::snprintf(buf, sizeof buf, "%s%04d%02d%02d%02d%02d%02d", id.word, t.year, t.month,
                        t.day, t.hour, t.minute, t.second);
  if (id.stem.digits > 0)
    n += std::snprintf(buf + n, sizeof buf - static_cast<size_t>(n), ".%0*lld", id.stem.digits,
                       id.stem.frac);
  if (id.number > 1) std::snprintf(buf + n, sizeof buf - static_cast<size_t>(n), "-%d", id.number);
  *text = buf;
  return true;
}

bool parse_event_id(const std::string& text, std::string* word, Stem* stem, int* number) {
  size_t i = 0;
  while (i < text.size() && is_word_char(text[i])) ++i;
  if (i == 0 || text.size() < i + kClockFields) return false;
  *word = text.substr(0, i);
  int f[6];
  const int widths[6] = {4, 2, 2, 2, 2, 2};
  for (int k = 0; k < 6; ++k) {
    f[k] = 0;
    for (int w = 0; w < widths[k]; ++w, ++i) {
      if (!is_digit(text[i])) return false;
      f[k] = f[k] * 10 + (text[i] - '0');
    }
  }
  Stem s;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && is_digit(text[i]) && s.digits < kMaxStemDigits) {
      s.frac = s.frac * 10 + (text[i++] - '0');
      ++s.digits;
    }
    if (s.digits == 0) return false;
  }
  *number = 1;
  if (i < text.size() && text[i] == '-') {
    ++i;
    long long n = 0;
    size_t from = i;
    while (i < text.size() && is_digit(text[i]) && n < 1000000000) n = n * 10 + (text[i++] - '0');
    if (i == from || n < 2 || text[from] == '0') return false;
    *number = static_cast<int>(n);
  }
  if (i != text.size()) return false;
  // Only the normal form of a time names one: 19951301... is none.
  double day = util::day_start(f[0], f[1], f[2], 1);
  s.seconds = static_cast<long long>(day) + f[3] * 3600LL + f[4] * 60LL + f[5];
  CivilTime t = civil_time(s.seconds);
  if (t.year != f[0] || t.month != f[1] || t.day != f[2] || t.hour != f[3] || t.minute != f[4] ||
      t.second != f[5])
    return false;
  *stem = s;
  return true;
}

}  // namespace catsieve
