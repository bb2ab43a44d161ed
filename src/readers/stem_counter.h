// The numbers of an input file's records among those of the same ID stem,
// in file order.  Catalog files are in time order, so nearly every stem
// comes at or after the one before: those are kept in order, in a list
// searched by halves; the rare record that comes earlier than the latest
// is counted apart.
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
  std::vector<long long> ordered_;  // keys of the records in order, ascending
  int run_ = 0;  // records in ordered_ with the last key
  std::unordered_map<long long, int> early_;  // records before the latest key, by key
};

}  // namespace catsieve

#endif
