// The holder of a sorted output: the best records in order, ties in the order offered, records
// without a key last, and under a bound only the best that many.
#include "readers/held_records.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace catsieve {
namespace {

constexpr double kNone = -1;  // a record without a key

SortKey magnitude(double v) {
  SortKey k;
  k.has = v != kNone;
  k.value = k.has ? v : 0;
  return k;
}

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

std::vector<SortKey> magnitudes(const std::vector<double>& values) {
  std::vector<SortKey> keys;
  for (double v : values) keys.push_back(magnitude(v));
  return keys;
}

TEST(HeldRecords, BestFirstTiesInOrderKeylessLast) {
  const std::vector<double> mags = {2, 5, 5, 1, kNone, 5, kNone, 1};
  const struct {
    bool descending;
    long long keep;
    const char* want;
  } cases[] = {
      {true, 0, "1 2 5 0 3 7 4 6"},    {true, 3, "1 2 5"},
      {true, 6, "1 2 5 0 3 7"},        {true, 7, "1 2 5 0 3 7 4"},
      {false, 0, "3 7 0 1 2 5 4 6"},   {false, 2, "3 7"},
      {false, 100, "3 7 0 1 2 5 4 6"}, {true, 1, "1"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(held(magnitudes(mags), c.descending, c.keep), c.want)
        << c.descending << " keep " << c.keep;
  EXPECT_EQ(held(magnitudes({kNone, kNone, kNone}), true, 2), "0 1");
}

// Times: whole seconds first, then their decimals.
TEST(HeldRecords, TimesByWholeSecondsThenDecimals) {
  std::vector<SortKey> keys(4);
  const long long times[][2] = {{100, 5}, {99, 999999}, {100, 0}, {100, 5}};
  for (int i = 0; i < 4; ++i) {
    keys[i].has = true;
    keys[i].whole = times[i][0];
    keys[i].part = times[i][1];
  }
  EXPECT_EQ(held(keys, true, 0), "0 3 2 1");
  EXPECT_EQ(held(keys, true, 2), "0 3");
  EXPECT_EQ(held(keys, false, 3), "1 2 0");
}

// A long run of offers through a small bound keeps what a stable sort puts first.
TEST(HeldRecords, BoundedHolderKeepsTheStableSortsHead) {
  std::vector<double> values;
  unsigned state = 12345;
  for (int i = 0; i < 2000; ++i) {
    state = state * 1103515245u + 12345u;
    values.push_back((state >> 16) % 11 == 0 ? kNone : static_cast<double>((state >> 16) % 37));
  }
  for (bool descending : {true, false}) {
    std::vector<int> order(values.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
      if ((values[a] == kNone) != (values[b] == kNone)) return values[b] == kNone;
      return descending ? values[a] > values[b] : values[a] < values[b];
    });
    for (long long keep : {1, 17, 500}) {
      std::string want;
      for (long long i = 0; i < keep; ++i) want += (i ? " " : "") + std::to_string(order[i]);
      EXPECT_EQ(held(magnitudes(values), descending, keep), want) << descending << " " << keep;
    }
  }
}

}  // namespace
}  // namespace catsieve
