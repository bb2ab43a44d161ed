// What the two layouts of the tarn mechanism catalog share: the same fields
// and tests at other columns, and the one magnitude type, avg.
#ifndef CATSIEVE_TARN_MECH_H
#define CATSIEVE_TARN_MECH_H

#include "catsieve/field.h"
#include "catsieve/record_cycle.h"

namespace catsieve {

struct MechLayout {
  Col year;
  int century;  // added to the year field
  Col month, day, hour, minute, seconds;
  HemisphereCols place;
  Col depth, avg, nsta, gap, close, rms, herr, zerr;
};

// Line buffer of both layouts: records of at most 149 characters.
constexpr size_t kMechLineBuffer = 150;

double mech_otime(const Line& l, const MechLayout& t);
double mech_mag(const Line& l, const MechLayout& t);
bool mech_select(const Line& l, const MechLayout& t);

}  // namespace catsieve

#endif
