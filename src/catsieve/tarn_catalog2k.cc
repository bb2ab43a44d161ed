// The tarn catalog, Y2K layout: the old layout with a four-digit year and
// wider magnitude fields, every later field moved to the right.
#include "tarn_catalog.h"

#include "catsieve/readers.h"

namespace catsieve {

namespace {

const TarnLayout kY2k = {
    {1, 4, 0}, 0, {5, 2, 0}, {7, 2, 0}, {9, 2, 0}, {11, 2, 0}, {13, 4, 2},
    {{17, 2, 0}, 19, {20, 4, 2},
     {24, 3, 0}, 27, {28, 4, 2}},
    {32, 5, 2}, {37, 3, 2}, {40, 3, 0}, {43, 3, 0}, {46, 3, 0}, {49, 4, 2}, {71, 3, 2},
    81,
    {86, 4, 2}, {90, 4, 2},
    123, {124, 3, 2}, 130, {131, 3, 2}, 147, {148, 3, 2},
};

bool select_y2k(const Line& l) { return tarn_select(l, kY2k); }
double otime_y2k(const Line& l) { return tarn_otime(l, kY2k); }

}  // namespace

double match_tarn_catalog2k_mag(const Line& l) { return tarn_mag(l, kY2k); }

void search_tarn_catalog2k(Stream& s, const Line* first) {
  static const LineReader reader = {200, select_y2k, otime_y2k, "%d lines, %d selected\n"};
  tarn_search(s, first, reader);
}

}  // namespace catsieve
