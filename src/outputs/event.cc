// What the readers share in decoding a record into an event.
#include "outputs/event.h"

namespace catsieve {

bool keep_valid_place(Event* e) {
  if (!e->lat.has || !e->lon.has) return false;
  double lat = value(e->lat), lon = value(e->lon);
  if (lat >= -kMaxLatitude && lat <= kMaxLatitude && lon >= -kMaxLongitude &&
      lon <= kMaxLongitude)
    return true;
  e->lat.has = e->lon.has = false;
  return false;
}

bool has_text(const Line& l, Col c) {
  size_t from = static_cast<size_t>(c.col - 1);
  size_t to = from + static_cast<size_t>(c.width);
  if (to > l.n) to = l.n;
  for (size_t i = from; i < to; ++i)
    if (l.p[i] != ' ' && l.p[i] != '\n' && l.p[i] != '\r') return true;
  return false;
}

namespace {

// What a field's text shows of its number: whether it holds anything but
// blanks, and the decimals written after its point (kAnyDigits when it
// holds a letter: an exponent, an infinity).
struct FieldShape {
  bool has = false;
  int digits = 0;
};

FieldShape shape(const Line& l, Col c) {
  FieldShape f;
  int after = -1;  // digits after the point so far; -1 before the point
  bool ended = false;
  for (int i = 0; i < c.width; ++i) {
    size_t at = static_cast<size_t>(c.col - 1 + i);
    char ch = at < l.n ? l.p[at] : ' ';
    if (ch == ' ' || ch == '\n' || ch == '\r') {
      if (after >= 0) ended = true;
      continue;
    }
    f.has = true;
    if ((ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z')) return FieldShape{true, kAnyDigits};
    if (ended) continue;
    if (ch == '.' && after < 0)
      after = 0;
    else if (ch >= '0' && ch <= '9' && after >= 0)
      ++after;
    else if (after >= 0)
      ended = true;
  }
  f.digits = c.dec + (after > 0 ? after : 0);
  return f;
}

}  // namespace

Real real_field_slow(const Line& l, Col c) {
  FieldShape f = shape(l, c);
  return inexact(f.has, freal(l, c), f.digits);
}

int seconds_digits_slow(const Line& l, Col c) {
  int digits = shape(l, c).digits;
  return digits < 0 ? 0 : digits;
}

}  // namespace catsieve
