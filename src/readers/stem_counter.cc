// Counting records by ID stem.
#include "readers/stem_counter.h"

#include <algorithm>

namespace catsieve {

void StemCounter::clear() {
  ordered_.clear();
  early_.clear();
  run_ = 0;
}

int StemCounter::next(const Stem& s) {
  long long key = stem_key(s);
  if (ordered_.empty() || key > ordered_.back()) {
    // No earlier record can have had this key: the early ones lie below
    // some key of the list.
    ordered_.push_back(key);
    run_ = 1;
    return 1;
  }
  if (key == ordered_.back()) {
    ordered_.push_back(key);
    auto e = early_.find(key);
    return ++run_ + (e == early_.end() ? 0 : e->second);
  }
  auto range = std::equal_range(ordered_.begin(), ordered_.end(), key);
  return static_cast<int>(range.second - range.first) + ++early_[key];
}

}  // namespace catsieve
