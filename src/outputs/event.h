// An event as the output forms see it: every field that a catalog format
// can carry, decoded from a record's columns by its reader, each with
// whether the record holds it.  A field that the format lacks, or that the
// record leaves blank or marks missing, is absent.
#ifndef OUTPUTS_EVENT_H
#define OUTPUTS_EVENT_H

#include <cstring>

#include "query/event_id.h"
#include "records/field.h"
#include "records/line.h"

namespace catsieve {

// A real value with the decimals to write it with: those of the field it
// was read from, so that 12.34 read from "1234" is written 12.34 again;
// kAnyDigits when the value has no such text (an exponent, say).
constexpr int kAnyDigits = -1;
// Decimals kept of a value worked out from several fields (degrees from
// degrees and minutes): a tenth of a metre on the ground.
constexpr int kDerivedDigits = 6;
// A value read from a plain field is kept exact, as its digits and their
// decimals, which are written out without a round trip through a double.
constexpr int kMaxExactDigits = 9;
// Sixteen bytes, so that a Real travels in registers.
struct Real {
  long long bits = 0;  // exact: the value times 10^digits; else the double's bits
  int digits = kAnyDigits;
  bool has = false;
  bool exact = false;
};
inline Real exact(bool has, long long units, int digits) {
  Real r;
  r.bits = units;
  r.digits = digits;
  r.has = has;
  r.exact = true;
  return r;
}
// A value worked out or read by the C library, written with the given
// decimals.
inline Real inexact(bool has, double v, int digits) {
  Real r;
  std::memcpy(&r.bits, &v, sizeof v);
  r.digits = digits;
  r.has = has;
  return r;
}
inline double value(const Real& r) {
  if (r.exact) return static_cast<double>(r.bits) / kTensReal[r.digits];
  double v;
  std::memcpy(&v, &r.bits, sizeof v);
  return v;
}
struct Count {
  bool has = false;
  int v = 0;
};

struct Event {
  EventId id;           // also its origin time exactly, when it has one
  Real time;            // time value (seconds since 1700-01-01)
  int time_digits = 0;  // decimals of the seconds as the record writes them
  Real lat, lon;        // degrees, north and east positive
  Real depth;           // km
  Real mag;
  const char* mag_type = nullptr;  // "ML", "Mw", ...; nullptr when not named
  Count mag_obs;
  Count nsta;
  Real gap;             // degrees
  Real close;           // km
  Real rms;             // s
  Real herr, zerr;      // km
  Real oterr;           // s
  Real laterr, lonerr;  // km
  Real m0;              // the catalog's unit
  Count m0_obs;
  char quality = 0;            // quality letter, 0 when none
  const char* type = nullptr;  // event-type word, nullptr when the format has none
  // The catalog that lacks a listed magnitude type the walk reached: the
  // event cannot be written, and the run ends there.
  const char* mag_fault = nullptr;
};

// Kilometres per degree of arc on the sphere of the distance test, and the
// decimals a value in degrees takes beyond those of its kilometres.
constexpr double kKmPerDegree = 6371.0 * 3.141592653589793 / 180.0;
constexpr int kDegreeDigits = 3;
// A distance in kilometres as degrees of arc, to the precision it was given.
inline Real km_to_degrees(const Real& km) {
  int digits = km.digits == kAnyDigits ? kAnyDigits : km.digits + kDegreeDigits;
  return inexact(km.has, value(km) / kKmPerDegree, digits);
}

// Degrees of latitude and longitude in their ranges: an epicentre outside
// them is none.
constexpr double kMaxLatitude = 90.0;
constexpr double kMaxLongitude = 180.0;
// Whether the event has an epicentre that a client can take; an epicentre
// outside the ranges is dropped.
bool keep_valid_place(Event* e);

// Whether a field holds anything but blanks within the record (a line end
// counts as blank).
bool has_text(const Line& l, Col c);
// A number field, the value as freal reads it: present when it holds text,
// with the decimals it is written with.
Real real_field_slow(const Line& l, Col c);
inline Real real_field(const Line& l, Col c) {
  PlainNumber n;
  if (!short_number(l, c, &n) || n.fraction + c.dec > kMaxExactDigits) return real_field_slow(l, c);
  return exact(n.text, n.negative ? -n.mantissa : n.mantissa, n.fraction + c.dec);
}
inline Count count_field(const Line& l, Col c) {
  PlainNumber n;
  if (short_number(l, c, &n)) return Count{n.text, plain_int(n)};
  return Count{has_text(l, c), fint(l, c)};
}
// Decimals of a seconds field: its implied ones and the digits written
// after a point.
int seconds_digits_slow(const Line& l, Col c);
inline int seconds_digits(const Line& l, Col c) {
  PlainNumber n;
  return short_number(l, c, &n) ? n.fraction + c.dec : seconds_digits_slow(l, c);
}

}  // namespace catsieve

#endif
