// The record cycle shared by every reader.
#include "catsieve/record_cycle.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "catsieve/driver.h"
#include "catsieve/geo.h"

namespace catsieve {

void end_of_stream(Query& q, const Tally& tally, bool have_last, double last_time,
                   const char* summary) {
  // The query changes for the next input: what this one selected is
  // formatted first.
  batch_flush();
  if (have_last) q.otime.min = last_time;
  if (verbose) std::fprintf(stderr, summary, tally.lines, tally.selected);
}

void search_lines(Stream& s, const Line* first, const LineReader& reader, Query& q, Sink& out) {
  Tally tally;
  // A query that tests nothing of this reader's records passes them all.
  bool every = !(q.otime.on || q.lat.on || q.lon.on || q.field_tests || q.poly.on || q.delta.on ||
                 (reader.etype && q.etype_on));
  bool all = every && !q.negate;
  bool raw = all && out.form == OutputForm::kRecords;
  if (raw && !verbose) {
    // Nor need they be counted: the input goes out in blocks as it stands.
    // The time bound that the last record would carry to the next input is
    // read by no test of this run, since the time test is off.
    if (first) out_span(first->p, first->n);
    pass_rest(s);
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
      out_span(record.p, record.n);
      have = readline(s, reader.size, &record);
    }
    tally.selected = tally.lines;
  } else if (all && out.form == OutputForm::kCount && have) {
    // Only their number is asked for: their newlines are counted.
    long long n = 1 + count_rest(s, reader.size);
    out.written += n;
    tally.lines = tally.selected = static_cast<int>(n);
    have = false;
  }
  EmitRule rule = emit_rule(q, out);
  while (have) {
    ++tally.lines;
    emit(rule, reader.select(q, record), record, record, reader.describe, q, out, tally);
    have = readline(s, reader.size, &record);
  }
  // The stream keeps the last record it handed out, the detector's first
  // line included.
  bool have_last = tally.lines > 0;
  end_of_stream(q, tally, have_last, have_last ? reader.otime(s.last) : 0.0, reader.summary);
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

LetterSet build_etypes(Query& q, const EtypeGroup* groups, int ngroups) {
  LetterSet set;
  std::memset(set.has, 0, sizeof set.has);
  for (char letter : q.etypes) {
    if (letter == 'A') {
      q.etype_on = false;
      continue;
    }
    for (int i = 0; i < ngroups; ++i)
      if (groups[i].letter == letter)
        for (const char* a = groups[i].adds; *a; ++a)
          set.has[static_cast<unsigned char>(*a)] = true;
  }
  return set;
}

}  // namespace catsieve
