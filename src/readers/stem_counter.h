// The numbers of an input file's records among those of the same ID stem,
// in file order.  Catalog files are in time order, most rising, some
// falling, so nearly every stem comes at or beyond the latest one in one
// direction: those are kept in two lists in order, searched by halves, and
// a stem beyond every one seen so far is new without a search.  The rare
// record that breaks both orders is counted apart.  Memory is a key per
// record of the file.
#ifndef READERS_STEM_COUNTER_H
#define READERS_STEM_COUNTER_H

#include <unordered_map>
#include <vector>

#include "query/event_id.h"

namespace catsieve {

class StemCounter {
 public:
  // A new file.
  void clear();
  // The record's number among those of its stem so far, itself included.
  int next(const Stem& s);

 private:
  // How many records before had the key.
  int seen(long long key) const;

  std::vector<long long> rising_;   // keys of records at or above the one before, ascending
  std::vector<long long> falling_;  // keys of records at or below the one before, descending
  std::unordered_map<long long, int> other_;  // the keys of the rest, counted
  long long least_ = 0, most_ = 0;            // of every key so far
};

}  // namespace catsieve

#endif
