// The tarn network's focal-mechanism catalog, old layout: one event per
// line, two-digit year.
#include "readers/tarn_mech.h"

namespace catsieve {

namespace {

// clang-format off
constexpr MechLayout kOld = {
    {1, 2, 0}, 1900, {3, 2, 0}, {5, 2, 0}, {8, 2, 0}, {10, 2, 0}, {12, 6, 0},
    {{18, 3, 0}, 21, {22, 5, 0},
     {27, 4, 0}, 31, {32, 5, 0}},
    {37, 7, 0}, {46, 5, 0}, {51, 3, 0}, {54, 4, 0}, {58, 5, 0}, {63, 5, 0},
    {68, 5, 2}, {73, 5, 2},
};
// clang-format on

}  // namespace

void search_tarn_mech(Stream& s, const Line* first, RunState& st) {
  mech_search<kOld>(s, first, st);
}

}  // namespace catsieve
