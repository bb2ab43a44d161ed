// Classic tests before the FDSN-named ones.
#include "engine/fdsn_pretests.h"

#include <cmath>

namespace catsieve {

namespace {

// How much wider than the FDSN bound the classic test is: the classic
// reading of a field and the described value may differ in the last place.
constexpr double kMagSlack = 1e-6;
constexpr double kCosineSlack = 1e-9;

// The magnitude test, where the preference list reaches no type the format
// lacks (that fault comes at the record where it came before).
void magnitude_pretest(const FormatRow& format, Query* q) {
  const OpenRange& fdsn = q->fdsn.mag;
  if (!fdsn.on() || !magtypes_missing(format, q->mags).empty()) return;
  Bounds<double>& classic = q->range(Crit::kMag);
  double lo = fdsn.min_on ? fdsn.min - kMagSlack : -HUGE_VAL;
  double hi = fdsn.max_on ? fdsn.max + kMagSlack : HUGE_VAL;
  if (classic.on) {
    classic.min = std::fmax(classic.min, lo);
    classic.max = std::fmin(classic.max, hi);
  } else {
    classic = Bounds<double>{true, lo, hi};
  }
}

// The distance test, where the classic one is not already on (it has a
// centre of its own).  It reads the epicentre through the latitude and
// longitude tests, which are switched on without bounds where they are off.
void radius_pretest(Query* q) {
  const RadiusRing& fdsn = q->fdsn.ring;
  if (!fdsn.on || q->delta.on) return;
  for (Bounds<double>* b : {&q->lat, &q->lon})
    if (!b->on) *b = Bounds<double>{true, -HUGE_VAL, HUGE_VAL};
  q->delta = Ring{
      true, fdsn.phi0, fdsn.st0, fdsn.ct0, fdsn.cdmin + kCosineSlack, fdsn.cdmax - kCosineSlack};
}

}  // namespace

void add_fdsn_pretests(const FormatRow& format, bool strict, Query* q) {
  if (strict) return;
  magnitude_pretest(format, q);
  radius_pretest(q);
}

}  // namespace catsieve
