// Selected records held for a sorted output: copies of their bytes, each
// with its sort key and its place among the records offered, so that ties
// keep the input's order.  A holder that keeps only the best N is a heap
// whose top is the worst record kept: its memory follows N, not the
// selection.
#ifndef READERS_HELD_RECORDS_H
#define READERS_HELD_RECORDS_H

#include <cstddef>
#include <string>
#include <vector>

#include "outputs/event_batch.h"
#include "readers/record_mark.h"

namespace catsieve {

// The key a record is sorted by: a magnitude, or an origin time.  Records
// without a key come after all others, in input order, whichever way the
// keys run.
struct SortKey {
  bool has = false;
  double value = 0;     // the magnitude
  long long whole = 0;  // the origin time's whole seconds
  long long part = 0;   // its decimals, in units of 10^-kMaxStemDigits s
};

// Whether a's key goes before b's, largest first when descending; records
// without a key come after all others.  Equal keys: false either way.
bool key_before(const SortKey& a, const SortKey& b, bool descending);

struct HeldRecord {
  SortKey key;
  long long place = 0;  // among the records offered, set by the holder
  std::string bytes;    // the record as it goes out, or the view its reader describes
  Describe describe = nullptr;
  RecordMark mark;
};

class HeldRecords {
 public:
  // Largest keys first when descending; keep is how many of the best are
  // kept, 0 for all.
  HeldRecords(bool descending, long long keep) : descending_(descending), keep_(keep) {}

  // Whether a record of the key offered next would be kept: always, but
  // for a full holder, which keeps it only when it beats its worst.
  bool wanted(const SortKey& key) const;
  // Holds the record offered next, which must be wanted; a full holder
  // drops its worst for it.
  void add(HeldRecord r);
  size_t size() const { return items_.size(); }
  // Drops every record held.
  void clear();
  // The records held, best first; the holder is empty after.
  std::vector<HeldRecord> take_sorted();

 private:
  bool before(const SortKey& a, long long place_a, const SortKey& b, long long place_b) const;
  bool full() const { return keep_ > 0 && items_.size() >= static_cast<size_t>(keep_); }

  bool descending_;
  long long keep_;
  long long next_ = 0;             // the place of the record offered next
  std::vector<HeldRecord> items_;  // a heap, worst on top, when keep_ > 0
};

}  // namespace catsieve

#endif
