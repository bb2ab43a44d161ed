// The tarn network's focal-mechanism catalog, old layout: one event per
// line, two-digit year.
#include "tarn_mech.h"

#include "catsieve/magtypes.h"
#include "catsieve/readers.h"
#include "util/calendar.h"

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

ChosenMag match_tarn_mech_mag(const MagPrefList& mags, const Line& l) {
  return mech_mag<kOld>(mags, l);
}

void search_tarn_mech(Stream& s, const Line* first, Query& q, Sink& out) {
  static const LineReader reader = {kMechLineBuffer, false, mech_select<kOld>, layout_otime<kOld>,
                                    mech_describe<kOld>, "%d buf_lines, %d selected\n"};
  search_lines(s, first, reader, q, out);
}

}  // namespace catsieve
