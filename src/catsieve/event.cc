// What the readers share in decoding a record into an event.
#include "catsieve/event.h"

namespace catsieve {

bool has_text(const Line& l, Col c) {
  size_t from = static_cast<size_t>(c.col - 1);
  size_t to = from + static_cast<size_t>(c.width);
  if (to > l.n) to = l.n;
  for (size_t i = from; i < to; ++i)
    if (l.p[i] != ' ' && l.p[i] != '\n' && l.p[i] != '\r') return true;
  return false;
}

int seconds_digits(const Line& l, Col c) {
  int after = -1;
  for (int i = 0; i < c.width; ++i) {
    char ch = fchar(l, c.col + i);
    if (ch == '.') after = 0;
    else if (ch >= '0' && ch <= '9' && after >= 0) ++after;
    else if (after >= 0) break;
  }
  return c.dec + (after > 0 ? after : 0);
}

}  // namespace catsieve
