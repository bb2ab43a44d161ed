// An event as the output forms see it: every field that a catalog format
// can carry, decoded from a record's columns by its reader, each with
// whether the record holds it.  A field that the format lacks, or that the
// record leaves blank or marks missing, is absent.
#ifndef CATSIEVE_EVENT_H
#define CATSIEVE_EVENT_H

#include "catsieve/field.h"
#include "catsieve/stream.h"

namespace catsieve {

struct Real {
  bool has = false;
  double v = 0;
};
struct Count {
  bool has = false;
  int v = 0;
};

struct Event {
  Real time;           // time value (seconds since 1700-01-01)
  int time_digits = 0; // decimals of the seconds as the record writes them
  Real lat, lon;       // degrees, north and east positive
  Real depth;          // km
  Real mag;
  const char* mag_type = nullptr;  // "ML", "Mw", ...; nullptr when not named
  Count mag_obs;
  Count nsta;
  Real gap;            // degrees
  Real close;          // km
  Real rms;            // s
  Real herr, zerr;     // km
  Real oterr;          // s
  Real laterr, lonerr; // km
  Real m0;             // the catalog's unit
  Count m0_obs;
  char quality = 0;    // quality letter, 0 when none
  const char* type = nullptr;  // event-type word, nullptr when the format has none
};

// Whether a field holds anything but blanks within the record (a line end
// counts as blank).
bool has_text(const Line& l, Col c);
inline Real real_if(bool has, double v) { return Real{has, v}; }
// A number field: present when it holds text.
inline Real real_field(const Line& l, Col c) { return Real{has_text(l, c), freal(l, c)}; }
inline Count count_field(const Line& l, Col c) { return Count{has_text(l, c), fint(l, c)}; }
// Decimals of a seconds field: its implied ones and the digits written
// after a point.
int seconds_digits(const Line& l, Col c);

}  // namespace catsieve

#endif
