// Event fields as text.
#include "outputs/event_text.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "util/calendar.h"

namespace catsieve {

namespace {

constexpr int kMaxTimeDigits = 6;
constexpr long long kSecondsPerDay = 86400;
// Time values of 0001-01-01 and of 10000-01-01.
constexpr double kFirstTime = -53615260800.0;
constexpr double kEndTime = 261922636800.0;

constexpr double kPowers[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9};
constexpr int kMaxFixed = 9;
constexpr double kMaxUnits = 1e15;  // below 2^53: whole units stay exact
constexpr unsigned long long kSixteenDigits = 10000000000000000ULL;
constexpr unsigned long long kEightDigits = 100000000ULL;

// "00" to "99": digits are written two at a time.
constexpr char kPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// Writes the digits of u, at least min of them, into the end of buf;
// returns the first.
inline char* digits_back(unsigned long long u, int min, char* end) {
  char* p = end;
  while (u >= 100) {
    p -= 2;
    std::memcpy(p, kPairs + 2 * (u % 100), 2);
    u /= 100;
  }
  if (u >= 10) {
    p -= 2;
    std::memcpy(p, kPairs + 2 * u, 2);
  } else {
    *--p = static_cast<char>('0' + u);
  }
  while (end - p < min) *--p = '0';
  return p;
}

// u split at its last `digits` decimal digits, by constant divisors: a
// division by a variable costs many times more.
template <unsigned long long kScale>
unsigned long long split(unsigned long long* u) {
  unsigned long long low = *u % kScale;
  *u /= kScale;
  return low;
}
unsigned long long split_decimals(unsigned long long* u, int digits) {
  switch (digits) {
    case 1: return split<10>(u);
    case 2: return split<100>(u);
    case 3: return split<1000>(u);
    case 4: return split<10000>(u);
    case 5: return split<100000>(u);
    case 6: return split<1000000>(u);
    case 7: return split<10000000>(u);
    case 8: return split<100000000>(u);
    default: return split<1000000000>(u);
  }
}

// Digits of any size, one at a time: the rare value of sixteen digits or
// more.
void units_text_long(unsigned long long u, bool negative, int digits, Text& to) {
  char buf[48];
  char* end = buf + sizeof buf;
  char* p = end;
  if (digits > 0) {
    // The decimals less their trailing zeros, and the point when any is left.
    unsigned long long decimals = split_decimals(&u, digits);
    if (decimals != 0) {
      p = digits_back(decimals, digits, end);
      while (end[-1] == '0') --end;
      *--p = '.';
    }
  }
  p = digits_back(u, 1, p);
  if (negative) *--p = '-';
  put(to, p, static_cast<size_t>(end - p));
}

// The eight decimal digits of x < 10^8 as the bytes 0 to 9, the first digit
// in the lowest byte, worked out for all of them at once: x split into two
// halves of four digits, each into two of two, each into two single
// digits, by multiplications that stand in for divisions by 100 and 10.
inline unsigned long long eight_digits(unsigned x) {
  unsigned long long merged = (x / 10000) | static_cast<unsigned long long>(x % 10000) << 32;
  unsigned long long top = ((merged * 10486) >> 20) & ((0x7FULL << 32) | 0x7FULL);
  unsigned long long bottom = merged - 100 * top;
  unsigned long long hundreds = (bottom << 16) + top;
  unsigned long long tens = (hundreds * 103) >> 10;
  tens &= (0xFULL << 48) | (0xFULL << 32) | (0xFULL << 16) | 0xFULL;
  return tens + ((hundreds - 10 * tens) << 8);
}

long long round_half_away(double v) { return static_cast<long long>(v < 0 ? v - 0.5 : v + 0.5); }

}  // namespace

bool number_text(double v, int digits, Text& to) {
  if (!std::isfinite(v)) return false;
  double units = digits >= 0 && digits <= kMaxFixed ? v * kPowers[digits] : kMaxUnits;
  if (!(std::fabs(units) < kMaxUnits)) {
    char buf[32];
    int n = std::snprintf(buf, sizeof buf, "%.15g", v == 0 ? 0.0 : v);
    put(to, buf, static_cast<size_t>(n));
    return true;
  }
  units_text(round_half_away(units), digits, to);
  return true;
}

void units_text(long long whole, int digits, Text& to) {
  unsigned long long u = whole < 0 ? 0ULL - static_cast<unsigned long long>(whole)
                                   : static_cast<unsigned long long>(whole);
  if (digits < 0) digits = 0;
  if (digits > kMaxFixed || u >= kSixteenDigits) {
    units_text_long(u, whole < 0, digits, to);
    return;
  }
  if (u < kEightDigits && digits < 8 && Text::kCapacity - to.n >= 24) {
    // Eight digits in one word, the first in its lowest byte.  The integer
    // part starts at the first digit that is not zero, or at the one before
    // the point; the decimals end at their last digit that is not zero.
    unsigned long long w = eight_digits(static_cast<unsigned>(u));
    int point = 8 - digits;
    int lead = __builtin_ctzll(w | 1ULL << (8 * (point - 1))) / 8;
    unsigned long long decimals = digits ? w >> (8 * point) : 0;
    w |= 0x3030303030303030ULL;
    char* p = to.buf + to.n;
    *p = '-';
    p += whole < 0;
    unsigned long long integer = w >> (8 * lead);
    std::memcpy(p, &integer, 8);
    p += point - lead;
    if (decimals) {
      *p++ = '.';
      unsigned long long text = w >> (8 * point);
      std::memcpy(p, &text, 8);
      p += (63 - __builtin_clzll(decimals)) / 8 + 1;
    }
    to.n = static_cast<size_t>(p - to.buf);
    return;
  }
  // The sixteen digits of u, then the integer part from its first digit
  // that is not a leading zero (the one before the point at the latest)
  // and the decimals up to their last digit that is not zero.
  char d[32] = {};
  // Most values have eight digits or fewer: their first eight are zeros.
  unsigned long long first =
      u >= kEightDigits ? eight_digits(static_cast<unsigned>(u / kEightDigits)) : 0;
  unsigned long long last = eight_digits(static_cast<unsigned>(u % kEightDigits));
  unsigned long long ascii = 0x3030303030303030ULL;
  unsigned long long w[2] = {first | ascii, last | ascii};
  std::memcpy(d, w, 16);
  int point = 16 - digits;
  int lead = first ? __builtin_ctzll(first) / 8 : last ? 8 + __builtin_ctzll(last) / 8 : 16;
  if (lead > point - 1) lead = point - 1;
  int end = last    ? 8 + (63 - __builtin_clzll(last)) / 8
            : first ? (63 - __builtin_clzll(first)) / 8
                    : 0;
  // Written in place when the text has room for the longest number.
  char local[48];
  bool room = Text::kCapacity - to.n >= sizeof local;
  char* out = room ? to.buf + to.n : local;
  char* p = out;
  *p = '-';
  p += whole < 0;
  std::memcpy(p, d + lead, 16);
  p += point - lead;
  if (end >= point) {
    *p++ = '.';
    std::memcpy(p, d + point, 16);
    p += end - point + 1;
  }
  if (room)
    to.n += static_cast<size_t>(p - out);
  else
    put(to, local, static_cast<size_t>(p - out));
}

void count_text(long long v, Text& to) {
  char buf[24];
  char* end = buf + sizeof buf;
  unsigned long long u =
      v < 0 ? 0ULL - static_cast<unsigned long long>(v) : static_cast<unsigned long long>(v);
  char* p = digits_back(u, 1, end);
  if (v < 0) put(to, '-');
  put(to, p, static_cast<size_t>(end - p));
}

namespace {

// The date text of a day counted from 1700-01-01, kept in the text for the
// next event of the same day; false outside the years 1 to 9999.
bool date_text(long long days, Text& to) {
  if (days == to.date_day) return true;
  int year, month, day;
  util::date(static_cast<int>(days) + util::kJdnEpoch, &year, &month, &day, 1);
  if (year < 1 || year > 9999) return false;
  char* d = to.date_text;
  digits_back(static_cast<unsigned>(year), 4, d + 4);
  d[4] = '-';
  digits_back(static_cast<unsigned>(month), 2, d + 7);
  d[7] = '-';
  digits_back(static_cast<unsigned>(day), 2, d + 10);
  to.date_day = days;
  return true;
}

// The clock of a second of the day, hhmmss with the given separator (or
// none), then the decimals.
size_t clock_text(long long secs, unsigned long long decimals, int digits, char sep, char* out) {
  size_t n = 0;
  const long long parts[3] = {secs / 3600, secs / 60 % 60, secs % 60};
  for (int i = 0; i < 3; ++i) {
    if (i && sep) out[n++] = sep;
    digits_back(static_cast<unsigned long long>(parts[i]), 2, out + n + 2);
    n += 2;
  }
  if (digits > 0) {
    out[n++] = '.';
    n += static_cast<size_t>(digits);
    digits_back(decimals, digits, out + n);
  }
  return n;
}

bool iso_parts_text(long long days, long long secs, unsigned long long decimals, int digits,
                    Text& to) {
  if (!date_text(days, to)) return false;
  char clock[24];
  clock[0] = 'T';
  size_t n = 1 + clock_text(secs, decimals, digits, ':', clock + 1);
  clock[n++] = 'Z';
  put(to, to.date_text, sizeof to.date_text);
  put(to, clock, n);
  return true;
}

long long floor_days(long long seconds) {
  return seconds / kSecondsPerDay - (seconds % kSecondsPerDay < 0 ? 1 : 0);
}

}  // namespace

bool iso_time_text(double time, int digits, Text& to) {
  if (!(time >= kFirstTime && time < kEndTime)) return false;
  if (digits < 0) digits = 0;
  if (digits > kMaxTimeDigits) digits = kMaxTimeDigits;
  // Whole units of the last written decimal, split into whole seconds and
  // their decimals, the seconds into days and the seconds of the day, all
  // by constant divisors.  Times before 1700 are first moved on by 2000
  // years' worth of whole days, so that every count is positive.
  constexpr long long kShiftDays = 730500;
  long long shift = time < 0 ? kShiftDays : 0;
  double scaled = (time + static_cast<double>(shift * kSecondsPerDay)) * kPowers[digits];
  unsigned long long units = static_cast<unsigned long long>(scaled + 0.5);
  unsigned long long decimals = digits > 0 ? split_decimals(&units, digits) : 0;
  long long days = static_cast<long long>(units / kSecondsPerDay) - shift;
  long long secs = static_cast<long long>(units % kSecondsPerDay);
  return iso_parts_text(days, secs, decimals, digits, to);
}

bool stem_time_text(const Stem& s, Text& to) {
  long long days = floor_days(s.seconds);
  return iso_parts_text(days, s.seconds - days * kSecondsPerDay,
                        static_cast<unsigned long long>(s.frac), s.digits, to);
}

bool event_time_text(const Event& e, Text& to) {
  if (e.id.word) return stem_time_text(e.id.stem, to);
  return e.time.has && iso_time_text(value(e.time), e.time_digits, to);
}

bool event_id_text(const EventId& id, Text& to) {
  if (!id.word) return false;
  long long days = floor_days(id.stem.seconds);
  if (!date_text(days, to)) return false;
  put(to, id.word);
  const char* d = to.date_text;
  put(to, d, 4);
  put(to, d + 5, 2);
  put(to, d + 8, 2);
  char clock[24];
  size_t n = clock_text(id.stem.seconds - days * kSecondsPerDay,
                        static_cast<unsigned long long>(id.stem.frac), id.stem.digits, '\0', clock);
  put(to, clock, n);
  if (id.number > 1) {
    put(to, '-');
    count_text(id.number, to);
  }
  return true;
}

void csv_cell(const char* text, size_t n, Text& to) {
  bool quote = false;
  for (size_t i = 0; i < n; ++i)
    quote = quote || text[i] == ',' || text[i] == '"' || text[i] == '\r' || text[i] == '\n';
  if (!quote) {
    put(to, text, n);
    return;
  }
  put(to, '"');
  for (size_t i = 0; i < n; ++i) {
    if (text[i] == '"') put(to, '"');
    put(to, text[i]);
  }
  put(to, '"');
}

void json_string(const char* text, size_t n, Text& to) {
  put(to, '"');
  for (size_t i = 0; i < n; ++i) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (c == '"' || c == '\\') {
      put(to, '\\');
      put(to, text[i]);
    } else if (c < 0x20) {
      char esc[8];
      std::snprintf(esc, sizeof esc, "\\u%04x", c);
      put(to, esc);
    } else {
      put(to, text[i]);
    }
  }
  put(to, '"');
}

}  // namespace catsieve
