// The query: every selection criterion of a run in one value.  The option
// handlers build it before any input is read; the readers receive it and
// nothing else reads it.  Two of its values carry from one input to the
// next: the lower time bound (the origin time of the last record read) and
// the event-type switch (cleared for good by the letter A).
#ifndef CATSIEVE_QUERY_H
#define CATSIEVE_QUERY_H

#include <string>

#include "catsieve/magtypes.h"

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
  Bounds<double> otime;  // otime.min is otmin, moved on at the end of each input
  Bounds<double> lat, lon;
  bool wraplon = false;  // the longitude range crosses the 180-degree meridian
  Bounds<double> depth, mag;
  bool nomag = false;  // -no_mag: a missing magnitude passes the magnitude test
  MagPrefList mags = {0, {}};
  Bounds<double> close;
  Bounds<int> nsta;
  Bounds<double> rms, gap;
  Ring delta;
  Polygon poly;
  bool qual_on = false;
  std::string quals;         // lower case
  bool etype_on = true;      // cleared by A, for the rest of the run
  std::string etypes = "E";  // upper case
  Bounds<int> nmag;
  Bounds<double> m0;
  Bounds<int> nm0;
  Bounds<double> oterr, laterr, lonerr, herr, zerr;
  bool felt = false;

  // Whether any test of the fields other than time, position, area and
  // event type is on: records skip those tests at once when none is.
  bool field_tests = false;
};

// The query that the option handlers fill.
Query& building_query();
// A fresh query: every test off but the event-type test, which accepts E.
void reset_query();
// After the options: the derived switch.
void finish_query(Query& q);

// Range checks of the handlers: "minimum <name> value greater than maximum".
void dcheck(double min, double max, const char* name);
void icheck(int min, int max, const char* name);
double fmin2(double a, double b);
double fmax2(double a, double b);

// A double truncated toward zero into an int, saturating at the int range
// (0 for not-a-number), so that absurd counts cannot overflow.
int trunc_int(double v);

// Option handlers.
void qneg();
void qtime();
void qlat();
void qlon();
void qdepth();
void qmag();
void qclose();
void qnsta();
void qrms();
void qgap();
void qqual();
void qetype();
void qnmagobs();
void qm0();
void qnm0obs();
void qoterr();
void qlaterr();
void qlonerr();
void qherr();
void qzerr();
void qfelt();
void qno_mag();

}  // namespace catsieve

#endif
