// The record cycle shared by every reader.
#include "readers/record_cycle.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "readers/fdsn_tests.h"
#include "util/status.h"

namespace catsieve {

RecordMark mark_record(RunState& st, const EventFields& f, const Line& l, long long line) {
  RecordMark m;
  m.line = line;
  if (!st.check_events) return m;
  // A record far outside the time test's interval is not selected, and no
  // selected record shares its stem: it need not be counted.  (Under
  // -negate it is selected; --strict looks at each record.)
  m.far = st.otime.on && !st.q.negate && !st.strict &&
          otime_far(st.otime, f.day(st.days, l), l, f.hour, f.minute, f.seconds);
  if (m.far) return m;
  m.event = f.event_stem(st.days, l, f, st.ids, &m.id.stem);
  if (m.event && st.ids) {
    m.id.word = st.word;
    m.id.number = st.stems.next(m.id.stem);
  }
  return m;
}

bool put_event(RunState& st, const Line& view, Describe describe, const RecordMark& mark,
               const Event* described) {
  if (st.form.kind == FormKind::kCount) {
    ++st.written;
    return true;
  }
  if (!mark.event) return true;
  ++st.written;
  if (!st.begun) {
    st.begun = true;
    if (st.form.begin) st.form.begin(st.out, *st.settings);
  }
  const char* fault = st.batch->add(view, st.q, describe, st.written, mark.id, described);
  if (fault) st.fault = fault;
  return !fault;
}

bool fdsn_pass(RunState& st, const Line& view, Describe describe, const RecordMark& mark,
               const Event** described) {
  const FdsnFilter& f = st.q.fdsn;
  if (!mark.event || !fdsn_id_ok(f, mark.id)) return false;
  if (!f.describes()) return true;
  Event& e = st.described;
  e = Event{};
  describe(st.q, st.days, view, &e);
  if (e.mag_fault) {
    st.fault = e.mag_fault;
    return false;
  }
  *described = &e;
  return fdsn_event_ok(f, e);
}

namespace {

void report(RunState& st, const RecordMark& mark, const std::string& text) {
  st.messages.say(true,
                  util::format_text("%s: line %lld: ", st.input_name, mark.line) + text + "\n");
  st.input_failed = true;
}

}  // namespace

void check_selected(RunState& st, const Line& view, Describe describe, const EventFields& f,
                    const RecordMark& mark) {
  // The long line it is a piece of is reported once.
  if (mark.continued) return;
  if (!mark.event) {
    report(st, mark, "no event: a date, time, latitude or longitude field holds no digit");
    return;
  }
  std::string range = field_out_of_range(view, f);
  if (!range.empty()) {
    Text when;
    if (stem_time_text(record_stem(st.days, view, f), when))
      report(st, mark, range + " out of range, read as " + std::string(when.buf, when.n));
    else
      report(st, mark, range + " out of range");
  }
  Event e;
  describe(st.q, st.days, view, &e);
  if (e.lat.has && e.lon.has) {
    Text place;
    real_text(e.lat, place);
    put(place, ' ');
    real_text(e.lon, place);
    if (!keep_valid_place(&e))
      report(st, mark,
             "epicentre " + std::string(place.buf, place.n) +
                 " out of range: the event has no position");
  }
}

namespace {

std::string time_text(double t) {
  Text text;
  return iso_time_text(t, 2, text) ? std::string(text.buf, text.n) : std::string("?");
}

// What the carried lower bound hid in this input, or, without a lower
// bound of the query's own, an input that begins before the one before it
// ended.
void strict_time_reports(RunState& st, bool have_last, double last_time) {
  if (st.carry_skipped > 0) {
    st.messages.say(
        true, util::format_text("%s: %lld record%s before %s skipped: the lower time bound carries "
                                "over from the input before (--each-input reads each alone)\n",
                                st.input_name, st.carry_skipped, st.carry_skipped == 1 ? "" : "s",
                                time_text(st.otime.min).c_str()));
    st.input_failed = true;
  } else if (!st.q.otime.on && st.have_first && st.have_previous &&
             st.first_time < st.previous_last) {
    st.messages.say(
        true, util::format_text("%s: begins at %s, before the input before it ended (%s): events "
                                "held by both are written twice\n",
                                st.input_name, time_text(st.first_time).c_str(),
                                time_text(st.previous_last).c_str()));
    st.input_failed = true;
  }
  st.carry_skipped = 0;
  st.have_first = false;
  if (have_last) {
    st.have_previous = true;
    st.previous_last = last_time;
  }
}

}  // namespace

void end_of_stream(RunState& st, const Tally& tally, bool have_last, double last_time,
                   const char* summary) {
  // What this input selected is formatted before the next is read.
  if (st.batch && !st.fault)
    if (const char* fault = st.batch->flush()) st.fault = fault;
  if (st.fault) return;
  if (st.strict) strict_time_reports(st, have_last, last_time);
  if (have_last && !st.each_input) st.otime.min = last_time;
  if (st.verbose && !st.out.failed())
    st.messages.say(false, util::format_text(summary, tally.lines, tally.selected));
}

namespace {

void put_span(void* ctx, const char* p, size_t n) { static_cast<Sink*>(ctx)->span(p, n); }

}  // namespace

void search_lines(Stream& s, const Line* first, const LineReader& reader, RunState& st) {
  const Query& q = st.q;
  Tally tally;
  // A query that tests nothing of this reader's records passes them all.
  bool every = !(st.otime.on || q.lat.on || q.lon.on || st.field_tests || q.poly.on || q.delta.on ||
                 (reader.etype && q.etype_on) || st.fdsn);
  // Records that are checked one by one take the cycle.
  // So do those of an ordered output, which is not the input as it stands.
  bool all = every && !q.negate && !st.strict && !st.order;
  bool raw = all && st.form.kind == FormKind::kRecords;
  if (raw && !st.verbose) {
    // Nor need they be counted: the input goes out in blocks as it stands.
    // The time bound that the last record would carry to the next input is
    // read by no test of this run, since the time test is off.
    if (first) st.out.span(first->p, first->n);
    pass_rest(s, reader.size, put_span, &st.out);
    return;
  }
  Line record;
  bool have = first != nullptr;
  if (have)
    record = *first;
  else
    have = readline(s, reader.size, &record);
  if (raw) {
    // Counted, they go out as they come, without a call per record.
    while (have) {
      ++tally.lines;
      st.out.span(record.p, record.n);
      have = readline(s, reader.size, &record);
    }
    tally.selected = tally.lines;
  } else if (all && st.form.kind == FormKind::kCount && have) {
    // Only their number is asked for: their newlines are counted.
    long long n = 1 + count_rest(s, reader.size);
    st.written += n;
    tally.lines = tally.selected = static_cast<int>(n);
    have = false;
  }
  EmitRule rule = emit_rule(st);
  bool in_piece = false;  // the record before was a piece of a long line
  while (have) {
    ++tally.lines;
    RecordMark mark = mark_record(st, *reader.fields, record, st.line);
    bool ended = record.n && record.p[record.n - 1] == '\n';
    if (ended) ++st.line;
    mark.continued = in_piece;
    if (st.strict && !in_piece && !ended && record.n == reader.size - 1)
      report(st, mark,
             util::format_text("longer than %zu bytes: read in pieces of that many, "
                               "each a record",
                               reader.size - 1));
    in_piece = !ended;
    bool pass = !mark.far && reader.select(q, st, record);
    if (st.strict) {
      note_carried(st, pass, [&] { return reader.select(q, st, record); });
      if (tally.lines == 1) note_first(st, reader.otime(st.days, record));
    }
    // A listed magnitude type the catalog lacks ends the run at this record:
    // a test that meets it fails, and so does formatting an event.
    if ((!pass || !rule.records) && st.fault) break;
    emit(st, rule, pass, record, record, reader.describe, *reader.fields, mark, tally);
    // Once the limit is out, nothing more is read.
    if (st.done) break;
    have = readline(s, reader.size, &record);
  }
  // The stream keeps the last record it handed out, the detector's first
  // line included.
  bool have_last = tally.lines > 0;
  double last_time = have_last && !st.fault ? reader.otime(st.days, s.last) : 0.0;
  end_of_stream(st, tally, have_last, last_time, reader.summary);
}

bool poly_ok(const Polygon& p, double lat, double lon) {
  return inpoly(lat, lon, p.plat, p.plon, p.nvert) != 0;
}

bool delta_ok(const Ring& r, double lat, double lon) {
  // The fast cosine is off by far less than the margin: it decides every
  // point that is not next to a bound.
  constexpr double kMargin = 1e-12;
  double fast = calc_delta_fast(r, lat, lon);
  if (fast > r.cdmin + kMargin || fast < r.cdmax - kMargin) return false;
  if (fast < r.cdmin - kMargin && fast > r.cdmax + kMargin) return true;
  double c = calc_delta(r, lat, lon);
  if (c > r.cdmin) return false;
  if (c < r.cdmax) return false;
  return true;
}

void describe_place(const Line& l, Col lat, Col lon, Event* e) {
  e->lat = real_field(l, lat);
  e->lon = real_field(l, lon);
}

void describe_place(const Line& l, const HemisphereCols& c, Event* e) {
  e->lat =
      inexact(has_text(l, c.latdeg) || has_text(l, c.latmin), hemisphere_lat(l, c), kDerivedDigits);
  e->lon =
      inexact(has_text(l, c.londeg) || has_text(l, c.lonmin), hemisphere_lon(l, c), kDerivedDigits);
}

LetterSet build_etypes(const Query& q, const EtypeGroup* groups) {
  LetterSet set;
  for (char letter : q.etypes) {
    if (letter == 'A') continue;
    for (const EtypeGroup* g = groups; g->letter; ++g)
      if (g->letter == letter)
        for (const char* a = g->adds; *a; ++a) set.has[static_cast<unsigned char>(*a)] = true;
  }
  return set;
}

}  // namespace catsieve
