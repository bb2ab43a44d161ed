// Counting records by ID stem.
#include "readers/stem_counter.h"

#include <algorithm>
#include <functional>

namespace catsieve {

void StemCounter::clear() {
  rising_.clear();
  falling_.clear();
  other_.clear();
}

int StemCounter::seen(long long key) const {
  auto up = std::equal_range(rising_.begin(), rising_.end(), key);
  auto down = std::equal_range(falling_.begin(), falling_.end(), key, std::greater<long long>());
  auto rest = other_.find(key);
  return static_cast<int>((up.second - up.first) + (down.second - down.first)) +
         (rest == other_.end() ? 0 : rest->second);
}

int StemCounter::next(const Stem& s) {
  long long key = stem_key(s);
  bool first = rising_.empty() && falling_.empty() && other_.empty();
  // A key beyond every one before is new.
  int before = first || key > most_ || key < least_ ? 0 : seen(key);
  if (first) least_ = most_ = key;
  least_ = std::min(least_, key);
  most_ = std::max(most_, key);
  if (rising_.empty() || key >= rising_.back())
    rising_.push_back(key);
  else if (falling_.empty() || key <= falling_.back())
    falling_.push_back(key);
  else
    ++other_[key];
  return before + 1;
}

}  // namespace catsieve
