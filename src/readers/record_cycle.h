// The record cycle shared by the readers: read a record, keep it as the last
// line read, run the reader's tests in order, put it out or drop it, count
// it; at end of stream carry its origin time into the run's lower time
// bound and, with -verbose, report the counts.
#ifndef READERS_RECORD_CYCLE_H
#define READERS_RECORD_CYCLE_H

#include <cmath>
#include <cstddef>

#include "inputs/stream.h"
#include "outputs/event.h"
#include "outputs/event_batch.h"
#include "query/geo.h"
#include "query/query.h"
#include "readers/event_fields.h"
#include "readers/field_tests.h"
#include "readers/ordering.h"
#include "readers/record_mark.h"
#include "readers/run_state.h"
#include "records/field.h"

namespace catsieve {

// A reader: reads the stream to its end under the run's query and puts
// what it selects into the run's sink.
using Reader = void (*)(Stream& s, RunState& st);

// What a line-per-event reader owns: its line-buffer size, its tests in
// order, whether the event-type test is among them, the origin time of a
// record, its decoding into an event and its summary format.
struct LineReader {
  size_t size;
  bool etype;  // whether it runs the event-type test
  bool (*select)(const Query& q, RunState& st, const Line& record);
  double (*otime)(DayCache& days, const Line& record);
  Describe describe;
  const char* summary;        // printf format taking lines read and lines written
  const EventFields* fields;  // what makes a record an event, and its ID
};

struct Tally {
  int lines = 0;
  int selected = 0;
};

// Reads the stream to its end, first with the given first line if any.
void search_lines(Stream& s, const Line* first, const LineReader& reader, RunState& st);

// What a reader settles once per input for emit: the test result of the
// records put out (false under -negate), and whether they go out as they
// stood in the input.
struct EmitRule {
  bool wanted;
  bool records;
};
inline EmitRule emit_rule(const RunState& st) {
  return EmitRule{!st.q.negate, st.form.kind == FormKind::kRecords};
}
// The mark of a record that starts at the given line, by the fields of its
// layout: its ID is numbered among those of its stem in the file, whether
// it is selected or not.
RecordMark mark_record(RunState& st, const EventFields& f, const Line& l, long long line);
// A record put out in a form other than the records: counted, or handed to
// the formatting; raw is the record as it stood in the input, view the line
// its reader decodes (the same line, but for full brim records).  A record
// that is no event is counted but not described; one that the FDSN tests
// described already (else null) is not described again.  False when
// formatting met a fault (st.fault).
bool put_event(RunState& st, const Line& view, Describe describe, const RecordMark& mark,
               const Event* described = nullptr);
// Under --strict, what a selected record holds that no client can take.
void check_selected(RunState& st, const Line& view, Describe describe, const EventFields& f,
                    const RecordMark& mark);
// The FDSN-named tests of a record that passed the classic ones; the event
// they read is left in *described, null when they read none.
bool fdsn_pass(RunState& st, const Line& view, Describe describe, const RecordMark& mark,
               const Event** described);
// Puts out a record that passed its tests, or with -negate one that failed.
inline void emit(RunState& st, EmitRule rule, bool pass, const Line& raw, const Line& view,
                 Describe describe, const EventFields& f, const RecordMark& mark, Tally& tally) {
  const Event* described = nullptr;
  if (pass && st.fdsn) pass = fdsn_pass(st, view, describe, mark, &described);
  if (pass != rule.wanted) return;
  ++tally.selected;
  if (st.strict) check_selected(st, view, describe, f, mark);
  if (st.order)
    order_record(st, raw, view, describe, mark);
  else if (rule.records)
    st.out.span(raw.p, raw.n);
  else
    put_event(st, view, describe, mark, pass ? described : nullptr);
}
// Under --strict: a record that failed its tests, tried again with the
// query's own lower time bound instead of one carried from an earlier
// input, is counted as hidden by the carried bound.
template <typename Select>
inline void note_carried(RunState& st, bool pass, Select select) {
  if (pass || !st.strict || !st.otime.on || !(st.otime.min > st.q.otime.min)) return;
  Bounds<double> carried = st.otime;
  st.otime = st.q.otime;
  if (select()) ++st.carry_skipped;
  st.otime = carried;
}
// Under --strict, the origin time of an input's first record.
inline void note_first(RunState& st, double time) {
  if (st.have_first) return;
  st.have_first = true;
  st.first_time = time;
}
// The end-of-stream step: the lower time bound from the last record when
// there was one (unless each input is read alone), the reports of --strict
// on what that bound hid, then the -verbose summary.  After a fault, none.
void end_of_stream(RunState& st, const Tally& tally, bool have_last, double last_time,
                   const char* summary);

// A field of a record read for a column of a layout's table.
inline double read_field(const Line& l, const Column<Line>& c) {
  return c.read == Read::kInt ? static_cast<double>(fint(l, c.col)) : freal(l, c.col);
}

// Longitude, with the date-line wrap of a -delta box.
inline bool lon_ok(const Query& q, double lon) {
  if (q.lon.holds(lon)) return true;
  if (!q.wraplon) return false;
  return lon + 360 <= q.lon.max || lon - 360 >= q.lon.min;
}
// Magnitude; under -no_mag the value by which the reader reports a missing
// magnitude also passes.
inline bool mag_ok(const Query& q, double mag, double missing) {
  return q.range(Crit::kMag).holds(mag) || (q.nomag && mag == missing);
}
// The magnitude test of a preference walk's choice: a walk that reached a
// type the catalog lacks is a fault of the run.
inline bool mag_in(const Query& q, RunState& st, const ChosenMag& m, double missing) {
  if (m.fault) {
    st.fault = m.fault;
    return false;
  }
  return mag_ok(q, m.value, missing);
}
bool poly_ok(const Polygon& p, double lat, double lon);
bool delta_ok(const Ring& r, double lat, double lon);

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
// These are inline, so that they read the constant columns of a reader's
// table as fast as its other fields.
inline double hemisphere_lat(const Line& l, const HemisphereCols& c) {
  double lat = std::fabs(freal(l, c.latdeg)) + freal(l, c.latmin) / 60.0;
  return fchar(l, c.lathem) == 'S' ? -lat : lat;
}
inline double hemisphere_lon(const Line& l, const HemisphereCols& c) {
  double lon = std::fabs(freal(l, c.londeg)) + freal(l, c.lonmin) / 60.0;
  return fchar(l, c.lonhem) != 'E' ? -lon : lon;
}
// The latitude and longitude tests, each when switched on, on signed
// decimal degrees ...
inline bool read_place_ok(const Query& q, const Line& l, Col lat, Col lon, Place* p) {
  if (q.lat.on) {
    p->lat = freal(l, lat);
    if (!q.lat.holds(p->lat)) return false;
  }
  if (q.lon.on) {
    p->lon = freal(l, lon);
    if (!lon_ok(q, p->lon)) return false;
  }
  return true;
}
inline bool place_ok(const Query& q, const Line& l, Col lat, Col lon, Place* place) {
  return !(q.lat.on || q.lon.on) || read_place_ok(q, l, lat, lon, place);
}
// ... or on degrees, minutes and hemisphere letters.
inline bool read_place_ok(const Query& q, const Line& l, const HemisphereCols& c, Place* p) {
  if (q.lat.on) {
    p->lat = hemisphere_lat(l, c);
    if (!q.lat.holds(p->lat)) return false;
  }
  if (q.lon.on) {
    p->lon = hemisphere_lon(l, c);
    if (!lon_ok(q, p->lon)) return false;
  }
  return true;
}
inline bool place_ok(const Query& q, const Line& l, const HemisphereCols& c, Place* place) {
  return !(q.lat.on || q.lon.on) || read_place_ok(q, l, c, place);
}
// The polygon and distance tests, each when switched on.
inline bool area_ok(const Query& q, const Place& p) {
  return (!q.poly.on || poly_ok(q.poly, p.lat, p.lon)) &&
         (!q.delta.on || delta_ok(q.delta, p.lat, p.lon));
}
// The epicentre of an event, present when any of its columns holds text.
void describe_place(const Line& l, Col lat, Col lon, Event* e);
void describe_place(const Line& l, const HemisphereCols& c, Event* e);
// The origin time of an event, with the decimals its seconds are written with.
inline void describe_time(double time, const Line& l, Col seconds, Event* e) {
  e->time = inexact(true, time, kAnyDigits);
  e->time_digits = seconds_digits(l, seconds);
}
// The chosen magnitude of an event, which may be worked out (avg).
inline void describe_mag(const ChosenMag& m, Event* e) {
  e->mag = inexact(m.type != 0, m.value, kDerivedDigits);
  e->mag_type = magtype_name(m.type);
  e->mag_fault = m.fault;
}

// The quality letter at col, in either case, among the query's letters.
inline bool quality_in(const Query& q, const Line& l, int col) {
  char c = fchar(l, col);
  if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return q.quals.find(c) != std::string::npos;
}
// The quality letter of an event as written, when it is a printable one.
inline void describe_quality(const Line& l, int col, Event* e) {
  char c = fchar(l, col);
  if (c > ' ' && c <= '~') e->quality = c;
}

// A letter of -etype and the type codes it accepts; a list of them ends
// with a letter 0.
struct EtypeGroup {
  char letter;
  const char* adds;
};
// Walks the query's letters through the reader's groups (the letter A
// switches the test off in the query itself).
LetterSet build_etypes(const Query& q, const EtypeGroup* groups);

}  // namespace catsieve

#endif
