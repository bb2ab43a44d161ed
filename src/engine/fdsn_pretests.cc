// Classic tests before the FDSN-named ones.
#include "engine/fdsn_pretests.h"

#include <cmath>

#include "query/geo.h"

namespace catsieve {

namespace {

// How much wider than the FDSN bound the classic test is: the classic
// reading of a field and the described value may differ in the last place.
constexpr double kMagSlack = 1e-6;
constexpr double kCosineSlack = 1e-9;
constexpr double kBandSlack = 1e-6;  // degrees

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
// centre of its own).  Without latitude and longitude tests of the query's
// own, it comes with its band of latitude and longitude, which turns most
// records away before any trigonometry; else it reads the epicentre
// through those tests, switched on without bounds where one is off.
void radius_pretest(Query* q) {
  const FdsnFilter& f = q->fdsn;
  if (!f.ring.on || q->delta.on) return;
  if (!q->lat.on && !q->lon.on) {
    set_ring(*q, f.lat0, f.lon0, f.ring.min_km, f.ring.max_km);
    for (Bounds<double>* b : {&q->lat, &q->lon}) {
      b->min -= kBandSlack;
      b->max += kBandSlack;
    }
  } else {
    for (Bounds<double>* b : {&q->lat, &q->lon})
      if (!b->on) *b = Bounds<double>{true, -HUGE_VAL, HUGE_VAL};
    q->delta = Ring{true, f.ring.phi0, f.ring.st0, f.ring.ct0, f.ring.cdmin, f.ring.cdmax};
  }
  q->delta.cdmin += kCosineSlack;
  q->delta.cdmax -= kCosineSlack;
}

}  // namespace

void add_fdsn_pretests(const FormatRow& format, bool strict, Query* q) {
  if (strict) return;
  magnitude_pretest(format, q);
  radius_pretest(q);
}

}  // namespace catsieve
