// The order of a run's output and how much of it goes out: --orderby,
// --limit, --offset and --max-events.  The run only reads them.
#ifndef OUTPUTS_ORDER_SETTINGS_H
#define OUTPUTS_ORDER_SETTINGS_H

namespace catsieve {

enum class OrderBy {
  kCatalog,       // as the inputs give them, streamed (time-asc too)
  kTime,          // newest first
  kMagnitude,     // largest first
  kMagnitudeAsc,  // smallest first
};

// The most records a sort without --limit holds, unless told otherwise.
constexpr long long kDefaultMaxEvents = 1000000;
// Counts of the command line are cut to this, which no catalog reaches,
// so that offset + limit cannot overflow.
constexpr long long kMaxCount = 1000000000000000000LL;

struct OrderSettings {
  OrderBy by = OrderBy::kCatalog;
  long long limit = 0;   // the most records to write; 0 for all
  long long offset = 1;  // the first record to write, counted from 1
  long long max_events = kDefaultMaxEvents;
};

// The order a word names (time, time-asc, magnitude, magnitude-asc);
// false when it names none.
bool order_named(const char* word, OrderBy* by);
// The order words, for messages.
extern const char kOrderWords[];
// A count of --limit, --offset and --max-events, and of the parameters of
// those names: decimal digits of a whole number of 1 or more, a larger one
// than kMaxCount taken as kMaxCount; false for any other text.
bool count_named(const char* word, long long* value);

inline bool sorts(const OrderSettings& o) { return o.by != OrderBy::kCatalog; }
// Whether the output differs from the selection in catalog order.
inline bool orders(const OrderSettings& o) { return sorts(o) || o.limit > 0 || o.offset > 1; }

}  // namespace catsieve

#endif
