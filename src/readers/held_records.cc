// The holder of the records of a sorted output.
#include "readers/held_records.h"

#include <algorithm>
#include <utility>

namespace catsieve {

namespace {

// -1, 0 or 1 as a's key is below, equal to or above b's.
int compare(const SortKey& a, const SortKey& b) {
  if (a.value != b.value) return a.value < b.value ? -1 : 1;
  if (a.whole != b.whole) return a.whole < b.whole ? -1 : 1;
  if (a.part != b.part) return a.part < b.part ? -1 : 1;
  return 0;
}

}  // namespace

bool key_before(const SortKey& a, const SortKey& b, bool descending) {
  if (a.has != b.has) return a.has;
  if (!a.has) return false;
  int c = compare(a, b);
  return descending ? c > 0 : c < 0;
}

bool HeldRecords::before(const SortKey& a, long long place_a, const SortKey& b,
                         long long place_b) const {
  // One comparison of the keys: this runs for every record offered.
  if (a.has != b.has) return a.has;
  if (a.has) {
    int c = compare(a, b);
    if (c != 0) return descending_ ? c > 0 : c < 0;
  }
  return place_a < place_b;
}

bool HeldRecords::wanted(const SortKey& key) const {
  if (!full()) return true;
  const HeldRecord& worst = items_.front();
  return before(key, next_, worst.key, worst.place);
}

void HeldRecords::add(HeldRecord r) {
  r.place = next_++;
  auto better = [this](const HeldRecord& a, const HeldRecord& b) {
    return before(a.key, a.place, b.key, b.place);
  };
  if (keep_ == 0) {
    items_.push_back(std::move(r));
    return;
  }
  if (full()) {
    std::pop_heap(items_.begin(), items_.end(), better);
    items_.back() = std::move(r);
  } else {
    items_.push_back(std::move(r));
  }
  std::push_heap(items_.begin(), items_.end(), better);
}

void HeldRecords::clear() {
  items_.clear();
  items_.shrink_to_fit();
}

std::vector<HeldRecord> HeldRecords::take_sorted() {
  std::vector<HeldRecord> sorted = std::move(items_);
  items_.clear();
  // Places differ: no two records are equal, and the order is the stable one.
  std::sort(sorted.begin(), sorted.end(), [this](const HeldRecord& a, const HeldRecord& b) {
    return before(a.key, a.place, b.key, b.place);
  });
  return sorted;
}

}  // namespace catsieve
