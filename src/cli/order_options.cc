// The options of the output's order and limits.
#include "cli/order_options.h"

#include <cerrno>
#include <cstring>

#include "cli/options.h"
#include "outputs/order_settings.h"

namespace catsieve {

namespace {

const struct {
  const char* word;
  OrderBy by;
} kOrders[] = {
    {"time", OrderBy::kTime},
    {"time-asc", OrderBy::kCatalog},  // catalogs are kept in time order
    {"magnitude", OrderBy::kMagnitude},
    {"magnitude-asc", OrderBy::kMagnitudeAsc},
};
const char kOrderWords[] = "time, time-asc, magnitude or magnitude-asc";

// A whole number of 1 or more, in decimal digits only; a larger one than
// kMaxCount counts as kMaxCount.  The messages name no system error.
bool count_word(ArgCursor& c, util::Status* err, long long* value) {
  const char* word;
  if (!peek_word(c)) {
    errno = 0;
    return fail(c, err, "%s needs a whole number of 1 or more", c.row->name);
  }
  if (!next_word(c, err, &word)) return false;
  long long n = 0;
  const char* p = word;
  for (; *p >= '0' && *p <= '9'; ++p) n = n > kMaxCount / 10 ? kMaxCount : n * 10 + (*p - '0');
  if (*p || p == word || n < 1) {
    errno = 0;
    return fail(c, err, "%s: \"%s\" is not a whole number of 1 or more", c.row->name, word);
  }
  *value = n < kMaxCount ? n : kMaxCount;
  return true;
}

}  // namespace

bool qorderby(ArgCursor& c, RunConfig& cfg, util::Status* err) {
  const char* word;
  if (!peek_word(c)) {
    errno = 0;
    return fail(c, err, "--orderby needs an order: %s", kOrderWords);
  }
  if (!next_word(c, err, &word)) return false;
  for (const auto& o : kOrders)
    if (std::strcmp(o.word, word) == 0) {
      cfg.request.order.by = o.by;
      return true;
    }
  errno = 0;
  return fail(c, err, "--orderby: \"%s\" is no order: %s", word, kOrderWords);
}

bool qlimit(ArgCursor& c, RunConfig& cfg, util::Status* err) {
  return count_word(c, err, &cfg.request.order.limit);
}

bool qoffset(ArgCursor& c, RunConfig& cfg, util::Status* err) {
  return count_word(c, err, &cfg.request.order.offset);
}

bool qmax_events(ArgCursor& c, RunConfig& cfg, util::Status* err) {
  return count_word(c, err, &cfg.request.order.max_events);
}

}  // namespace catsieve
