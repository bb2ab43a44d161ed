// The tarn catalog, Y2K layout: the old layout with a four-digit year and
// wider magnitude fields, every later field moved to the right.
#include "readers/tarn_catalog.h"

namespace catsieve {

namespace {

// clang-format off
constexpr TarnLayout kY2k = {
    {1, 4, 0}, 0, {5, 2, 0}, {7, 2, 0}, {9, 2, 0}, {11, 2, 0}, {13, 4, 2},
    {{17, 2, 0}, 19, {20, 4, 2},
     {24, 3, 0}, 27, {28, 4, 2}},
    {32, 5, 2}, {37, 3, 2}, {40, 3, 0}, {43, 3, 0}, {46, 3, 0}, {49, 4, 2}, {71, 3, 2},
    81,
    {86, 4, 2}, {90, 4, 2},
    123, {124, 3, 2}, 130, {131, 3, 2}, 147, {148, 3, 2},
};
// clang-format on

}  // namespace

void search_tarn_catalog2k(Stream& s, const Line* first, RunState& st) {
  tarn_search<kY2k>(s, first, st);
}

}  // namespace catsieve
