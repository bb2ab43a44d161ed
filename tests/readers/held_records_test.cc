// The holder of a sorted output: the best records in order, ties in the order offered, records
// without a key last, and under a bound only the best that many.
#include "readers/held_records.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <string>
#include <vector>

namespace catsieve {
namespace {

// Offers the keys in turn, as the run does, each record named by its place; the names of the
// records held, in the holder's order.
std::string held(const std::vector<SortKey>& keys, bool descending, long long keep) {
  HeldRecords h(descending, keep);
  for (size_t i = 0; i < keys.size(); ++i) {
    if (!h.wanted(keys[i])) continue;
    HeldRecord r;
    r.key = keys[i];
    r.bytes = std::to_string(i);
    h.add(std::move(r));
  }
  std::string names;
  for (const HeldRecord& r : h.take_sorted()) names += (names.empty() ? "" : " ") + r.bytes;
  return names;
}

// Long runs of offers, many of them ties, one in eleven without a key, against what a stable
// sort puts first: magnitudes, and origin times by whole seconds, then their decimals.  Unbounded
// (0), under bounds that the keyed records fill or not, and beyond the records offered.
TEST(HeldRecords, KeepTheStableSortsHead) {
  unsigned state = 12345;
  auto next = [&state](unsigned n) { return ((state = state * 1103515245u + 12345u) >> 16) % n; };
  for (bool times : {false, true}) {
    std::vector<SortKey> keys(2000);
    for (SortKey& k : keys) {
      k.has = next(11) != 0;
      if (times) {
        k.whole = 100 + next(6), k.part = 999999 - 333333 * next(4);
      } else {
        k.value = next(37);
      }
    }
    auto less = [&keys, times](int a, int b) {
      const SortKey &x = keys[a], &y = keys[b];
      return times ? x.whole < y.whole || (x.whole == y.whole && x.part < y.part)
                   : x.value < y.value;
    };
    for (bool descending : {true, false}) {
      std::vector<int> order(keys.size());
      std::iota(order.begin(), order.end(), 0);
      std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        if (keys[a].has != keys[b].has) return keys[a].has;
        return keys[a].has && (descending ? less(b, a) : less(a, b));
      });
      for (long long keep : {0, 1, 17, 500, 1900, 2001}) {
        std::string want;
        for (size_t i = 0; i < (keep ? std::min<size_t>(keep, order.size()) : order.size()); ++i)
          want += (i ? " " : "") + std::to_string(order[i]);
        EXPECT_EQ(held(keys, descending, keep), want) << times << descending << " " << keep;
      }
    }
  }
}

}  // namespace
}  // namespace catsieve
