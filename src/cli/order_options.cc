// The options of the output's order and limits.
#include "cli/order_options.h"

#include <cerrno>
#include <cstring>

#include "cli/options.h"
#include "outputs/order_settings.h"

namespace catsieve {

namespace {

// A count word of the option; the messages name no system error.
bool count_word(ArgCursor& c, util::Status* err, long long* value) {
  const char* word;
  if (!peek_word(c)) {
    errno = 0;
    return fail(c, err, "%s needs a whole number of 1 or more", c.row->name);
  }
  if (!next_word(c, err, &word)) return false;
  if (count_named(word, value)) return true;
  errno = 0;
  return fail(c, err, "%s: \"%s\" is not a whole number of 1 or more", c.row->name, word);
}

}  // namespace

bool qorderby(ArgCursor& c, RunConfig& cfg, util::Status* err) {
  const char* word;
  if (!peek_word(c)) {
    errno = 0;
    return fail(c, err, "--orderby needs an order: %s", kOrderWords);
  }
  if (!next_word(c, err, &word)) return false;
  if (order_named(word, &cfg.request.order.by)) return true;
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
