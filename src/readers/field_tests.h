// The field tests of a layout, from its column table: each entry names a
// criterion and how its field is read.  The tests run in the table's order
// and stop at the first that fails; each is compiled for its entry, as a
// test written out by hand would be.
#ifndef READERS_FIELD_TESTS_H
#define READERS_FIELD_TESTS_H

#include <cstddef>
#include <utility>

#include "query/query.h"
#include "readers/run_state.h"
#include "records/line.h"

namespace catsieve {

enum class Read {
  kReal,  // a number compared with the criterion's range
  kInt,   // its whole part, likewise
  kTest,  // a test of the layout's own
};

template <typename Rec>
struct Column {
  Crit crit;
  Read read;
  Col col;
  double missing;  // the value of a missing field, for the layouts that mark them
  bool (*test)(const Query& q, RunState& st, const Rec& r);
};

template <typename Rec>
constexpr Column<Rec> real_column(Crit c, Col col, double missing = 0) {
  return Column<Rec>{c, Read::kReal, col, missing, nullptr};
}
template <typename Rec>
constexpr Column<Rec> int_column(Crit c, Col col, double missing = 0) {
  return Column<Rec>{c, Read::kInt, col, missing, nullptr};
}
template <typename Rec>
constexpr Column<Rec> test_column(Crit c, bool (*test)(const Query&, RunState&, const Rec&)) {
  return Column<Rec>{c, Read::kTest, Col{0, 0, 0}, 0, test};
}

// One entry's test, when its criterion is on.  Each kind of record reads
// its fields through its own read_field.
template <const auto& table, size_t I, typename Rec>
inline bool column_ok(const Query& q, RunState& st, const Rec& r) {
  constexpr const auto& c = table[I];
  if (!q.on(c.crit)) return true;
  if constexpr (c.read == Read::kTest)
    return c.test(q, st, r);
  else
    return q.range(c.crit).holds(read_field(r, c));
}

template <const auto& table, typename Rec, size_t... I>
inline bool columns_ok(const Query& q, RunState& st, const Rec& r, std::index_sequence<I...>) {
  return (column_ok<table, I>(q, st, r) && ...);
}

// Every field test of the table that is on.
template <const auto& table, typename Rec>
inline bool fields_ok(const Query& q, RunState& st, const Rec& r) {
  constexpr size_t n = sizeof table / sizeof table[0];
  return columns_ok<table>(q, st, r, std::make_index_sequence<n>());
}

// Whether any criterion of the table is on: when none is, records skip
// the field tests at once.
template <typename Rec, size_t N>
bool any_field_test(const Query& q, const Column<Rec> (&table)[N]) {
  for (const Column<Rec>& c : table)
    if (q.on(c.crit)) return true;
  return false;
}

}  // namespace catsieve

#endif
