// The record cycle shared by the readers: read a record, keep it as the last
// line read, run the reader's tests in order, write or drop it, count it;
// at end of stream carry its origin time into otmin and, with -verbose,
// report the counts.
#ifndef CATSIEVE_RECORD_CYCLE_H
#define CATSIEVE_RECORD_CYCLE_H

#include <cstddef>

#include "catsieve/criteria.h"
#include "catsieve/field.h"
#include "catsieve/geo.h"
#include "catsieve/stream.h"

namespace catsieve {

// What a line-per-event reader owns: its line-buffer size, its tests in
// order, the origin time of a record and its summary format.
struct LineReader {
  size_t size;
  bool (*select)(const Line& record);
  double (*otime)(const Line& record);
  const char* summary;  // printf format taking lines read and lines written
};

struct Tally {
  int lines = 0;
  int selected = 0;
};

// Reads the stream to its end, first with the given first line if any.
void search_lines(Stream& s, const Line* first, const LineReader& reader);

// Writes a record that passed its tests, or with -negate one that failed,
// straight from the stream's buffer.
void emit(bool pass, const Line& record, Tally& tally);
// The end-of-stream step: otmin from the last record when there was one,
// then the -verbose summary.
void end_of_stream(const Tally& tally, bool have_last, double last_time,
                   const char* summary);

// The standard tests.  Bounds are inclusive: a value fails only when it is
// below the lower or above the upper bound.
inline bool in_range(double v, double lo, double hi) { return !(v < lo || v > hi); }
inline bool in_range(int v, int lo, int hi) { return v >= lo && v <= hi; }
// Longitude, with the date-line wrap of a -delta box.
bool lon_ok(double lon);
// Magnitude; under -no_mag the value by which the reader reports a missing
// magnitude also passes.
bool mag_ok(double mag, double missing);
bool poly_ok(double lat, double lon);
bool delta_ok(double lat, double lon);

// An event's epicentre, read by the latitude and longitude tests and used
// again by the polygon and distance tests (-polygon and -delta switch the
// latitude and longitude tests on).
struct Place {
  double lat = 0, lon = 0;
};
// Positions as degrees and minutes with a hemisphere letter: "S" makes a
// latitude south, anything but "E" makes a longitude west; the sign of the
// degrees field is dropped.
struct HemisphereCols {
  Col latdeg;
  int lathem;
  Col latmin;
  Col londeg;
  int lonhem;
  Col lonmin;
};
// The latitude and longitude tests, each when switched on, on signed
// decimal degrees ...
bool read_place_ok(const Line& l, Col lat, Col lon, Place* place);
inline bool place_ok(const Line& l, Col lat, Col lon, Place* place) {
  return !(do_lat || do_lon) || read_place_ok(l, lat, lon, place);
}
// ... or on degrees, minutes and hemisphere letters.
bool read_place_ok(const Line& l, const HemisphereCols& c, Place* place);
inline bool place_ok(const Line& l, const HemisphereCols& c, Place* place) {
  return !(do_lat || do_lon) || read_place_ok(l, c, place);
}
// The polygon and distance tests, each when switched on.
inline bool area_ok(const Place& p) {
  return (!do_poly || poly_ok(p.lat, p.lon)) && (!do_delta || delta_ok(p.lat, p.lon));
}

// Accepted event-type letters, built from etypes at the start of a call.
struct LetterSet {
  bool has[256];
  bool contains(char c) const { return has[static_cast<unsigned char>(c)]; }
};
struct EtypeGroup {
  char letter;       // letter of -etype
  const char* adds;  // type codes it accepts
};
// Walks etypes through the reader's groups; the letter A switches the
// event-type test off for the rest of the run instead.
LetterSet build_etypes(const EtypeGroup* groups, int ngroups);

}  // namespace catsieve

#endif
