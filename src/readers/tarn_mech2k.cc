// The tarn mechanism catalog, Y2K layout: the old layout with a four-digit
// year, every later field two columns to the right.
#include "readers/tarn_mech.h"

namespace catsieve {

namespace {

// clang-format off
constexpr MechLayout kY2k = {
    {1, 4, 0}, 0, {5, 2, 0}, {7, 2, 0}, {10, 2, 0}, {12, 2, 0}, {14, 6, 0},
    {{20, 3, 0}, 23, {24, 5, 0},
     {29, 4, 0}, 33, {34, 5, 0}},
    {39, 7, 0}, {48, 5, 0}, {53, 3, 0}, {56, 4, 0}, {60, 5, 0}, {65, 5, 0},
    {70, 5, 2}, {75, 5, 2},
};
// clang-format on

}  // namespace

void search_tarn_mech2k(Stream& s, const Line* first, RunState& st) {
  mech_search<kY2k>(s, first, st);
}

}  // namespace catsieve
