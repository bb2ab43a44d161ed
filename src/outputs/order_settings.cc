// The words of orders and counts.
#include "outputs/order_settings.h"

#include <cstring>

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

}  // namespace

const char kOrderWords[] = "time, time-asc, magnitude or magnitude-asc";

bool order_named(const char* word, OrderBy* by) {
  for (const auto& o : kOrders)
    if (std::strcmp(o.word, word) == 0) {
      *by = o.by;
      return true;
    }
  return false;
}

bool count_named(const char* word, long long* value) {
  long long n = 0;
  const char* p = word;
  for (; *p >= '0' && *p <= '9'; ++p) n = n > kMaxCount / 10 ? kMaxCount : n * 10 + (*p - '0');
  if (*p || p == word || n < 1) return false;
  *value = n < kMaxCount ? n : kMaxCount;
  return true;
}

}  // namespace catsieve
