// The query: every selection criterion of a search in one value.  A front
// end builds it; once built it is only read, by any number of searches at
// once.
#ifndef QUERY_QUERY_H
#define QUERY_QUERY_H

#include <string>

#include "query/fdsn_filter.h"
#include "query/magtypes.h"

namespace catsieve {

// An inclusive range test: a value fails only when it lies below min or
// above max (so a not-a-number value passes, as the classic comparison
// lets it).
template <typename T>
struct Bounds {
  bool on = false;
  T min{}, max{};
  bool holds(T v) const { return !(v < min || v > max); }
};

// The tests of a record's fields other than its time, place and event
// type, in the order of the options that set them.  Counts are kept as
// doubles of whole numbers.  kQual and kFelt are switches whose range is
// not used.
enum class Crit : int {
  kDepth,
  kMag,
  kClose,
  kNsta,
  kRms,
  kGap,
  kQual,
  kNmag,
  kM0,
  kNm0,
  kOterr,
  kLaterr,
  kLonerr,
  kHerr,
  kZerr,
  kFelt,
  kCount
};
constexpr int kCrits = static_cast<int>(Crit::kCount);

// -delta: centre longitude (radians), sine and cosine of the centre's
// geocentric colatitude, cosines of the distance bounds.
struct Ring {
  bool on = false;
  double phi0 = 0, st0 = 0, ct0 = 0, cdmin = 0, cdmax = 0;
};

// -polygon: vertices with the closing copy of the first one.
constexpr int kMaxVertices = 50;
struct Polygon {
  bool on = false;
  int nvert = 0;
  double plat[kMaxVertices + 1] = {};
  double plon[kMaxVertices + 1] = {};
};

struct Query {
  bool negate = false;
  Bounds<double> otime;
  Bounds<double> lat, lon;
  bool wraplon = false;  // the longitude range crosses the 180-degree meridian
  Bounds<double> field[kCrits];
  bool nomag = false;  // -no_mag: a missing magnitude passes the magnitude test
  MagPrefList mags = {0, {}};
  Ring delta;
  Polygon poly;
  std::string quals;         // lower case
  bool etype_on = true;      // off when the letters hold A
  std::string etypes = "E";  // upper case
  FdsnFilter fdsn;           // the tests named as the FDSN event service names them

  bool on(Crit c) const { return field[static_cast<int>(c)].on; }
  const Bounds<double>& range(Crit c) const { return field[static_cast<int>(c)]; }
  Bounds<double>& range(Crit c) { return field[static_cast<int>(c)]; }
};

// A double truncated toward zero into an int, saturating at the int range
// (0 for not-a-number), so that absurd counts cannot overflow.
int trunc_int(double v);

}  // namespace catsieve

#endif
