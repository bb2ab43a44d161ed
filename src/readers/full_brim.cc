// The full brim catalog: an event is a record of lines closed by a "$end"
// line.  From its chosen location line ("$loc") and magnitude line ("$mag")
// a summary line in the brim summary layout is built and tested as the brim
// summary reader tests its lines; a selected record is written whole.
#include "readers/full_brim.h"

#include <algorithm>
#include <cstring>

#include "readers/brim_catalog.h"
#include "util/status.h"

namespace catsieve {

namespace {

// The record being read: its lines stay in the stream's buffer, held from
// the first, so memory follows the largest record; here is where its chosen
// location and magnitude lines lie, counted from its first byte.
struct FullBrimRecord {
  int count = 0;  // lines in the record
  int loc = -1;   // index of the chosen location line, or -1
  int mag = -1;   // index of the chosen magnitude line, or -1
  size_t loc_at = 0, loc_n = 0;
  size_t mag_at = 0, mag_n = 0;
};

constexpr size_t kLineBuffer = 512;
// A record longer than this, in bytes or lines, is damaged: real ones are
// a few KB.  It is skipped to its $end, so that memory stays bounded.
constexpr size_t kMaxRecordBytes = 1024 * 1024;
constexpr int kMaxRecordLines = 100000;
constexpr int kSummaryLength = kBrimLocWidth + kBrimMagWidth;

const BrimMissing kMissing = {
    f_no_depth,       f_no_mag,       f_no_num_sta, f_no_rms,     f_no_max_az_gap, f_no_close,
    f_no_num_mag_obs, f_no_otime_err, f_no_lat_err, f_no_lon_err, f_no_depth_err,
};

bool has_key(const Line& l, const char* key) { return l.n >= 4 && std::memcmp(l.p, key, 4) == 0; }

bool preferred(const Line& l) { return l.n >= 5 && l.p[4] == 'P'; }

// The chosen lines of a record as the columns of its summary line: the
// location line cut to 123 columns, the magnitude line cut to 48 (none
// when it is the record's first line).  Columns that a line does not reach
// read as blanks, and every byte stands at its column, a NUL byte included.
SummaryLine summary_of(const FullBrimRecord& r, const char* text) {
  Line loc{text + r.loc_at, std::min(r.loc_n, static_cast<size_t>(kBrimLocWidth))};
  Line mag{text, 0};
  if (r.mag > 0) mag = Line{text + r.mag_at, std::min(r.mag_n, static_cast<size_t>(kBrimMagWidth))};
  return SummaryLine{loc, mag, kSummaryLength, true};
}

// The summary line written out, for the output forms that describe the
// record.
Line write_summary(const SummaryLine& l, char* to) {
  std::memcpy(to, l.loc.p, l.loc.n);
  std::memset(to + l.loc.n, ' ', kBrimLocWidth - l.loc.n);
  std::memcpy(to + kBrimLocWidth, l.mag.p, l.mag.n);
  std::memset(to + kBrimLocWidth + l.mag.n, ' ', kBrimMagWidth - l.mag.n);
  return Line{to, kSummaryLength};
}

constexpr const char* kQuakes = "LTRFDC";

const BrimRules kRules = {kMissing, kQuakes};

void describe_summary(const Query&, DayCache& days, const Line& summary, Event* e) {
  SummaryLine l{Line{summary.p, kBrimLocWidth}, Line{summary.p + kBrimLocWidth, kBrimMagWidth},
                kSummaryLength, true};
  brim_describe(days, l, kRules, e);
}

// Puts out the whole record, every line as read, when it is selected (or
// with -negate when it is not); its summary line describes it.
void print_stuff(RunState& st, EmitRule rule, bool pass, const Line& text, const Line& summary,
                 const RecordMark& mark, Tally& tally) {
  emit(st, rule, pass, text, summary, describe_summary, kBrimEventFields, mark, tally);
}

// A fault of an input that only --strict reports.
void bad_input(RunState& st, const std::string& text) {
  st.messages.say(true, text + "\n");
  st.input_failed = true;
}

// Under --strict, a record skipped for its length.
void too_long(RunState& st, long long line, const char* to) {
  if (!st.strict) return;
  bad_input(st, util::format_text("%s: line %lld: a full brim record of more than %zu bytes or "
                                  "%d lines, damaged: skipped to %s",
                                  st.input_name, line, kMaxRecordBytes, kMaxRecordLines, to));
}

// Empties the record for the next one.
void clear_old_data(Stream& s, FullBrimRecord& r) {
  release(s);
  r.count = 0;
  r.loc = r.mag = -1;
}

}  // namespace

// Unlike the brim summary letters, E leaves out V and B takes in Q and R only.
const EtypeGroup kFullBrimTypes[] = {
    {'E', "LTRFDC"}, {'Q', "Q"}, {'R', "R"}, {'B', "QR"}, {'N', "N"}, {'H', "H"}, {'\0', nullptr},
};

void search_full_brim_catalog(Stream& s, RunState& st) {
  st.field_tests = brim_field_tests(st.q);
  FullBrimRecord r;
  Tally tally;
  int unlocated = 0;  // records without a location line
  EmitRule rule = emit_rule(st);
  // The date and time columns of the last record's location line, for the
  // lower time bound of the next input.
  constexpr size_t kTimeColumns = 24;
  char last_loc[kTimeColumns];
  size_t last_n = 0;
  bool have_last = false;
  char summary[kSummaryLength];
  Line l;
  long long first_line = st.line;  // the line the record starts at
  bool skipping = false;           // in a record too long to keep
  while (!st.done && readline(s, kLineBuffer, &l) && !st.fault) {
    if (r.count == 0 && !skipping) {
      hold(s, l);
      first_line = st.line;
    }
    if (l.n && l.p[l.n - 1] == '\n') ++st.line;
    if (!skipping && (held_bytes(s).n > kMaxRecordBytes || r.count >= kMaxRecordLines)) {
      skipping = true;
      clear_old_data(s, r);
    }
    if (skipping) {
      if (!has_key(l, "$end")) continue;
      skipping = false;
      ++tally.lines;
      too_long(st, first_line, "its $end");
      continue;
    }
    size_t at = held_bytes(s).n - l.n;
    int index = r.count++;
    if (has_key(l, "$loc") && (r.loc < 0 || preferred(l))) {
      r.loc = index;
      r.loc_at = at;
      r.loc_n = l.n;
      continue;
    }
    if (has_key(l, "$mag") && (r.mag < 0 || preferred(l))) {
      r.mag = index;
      r.mag_at = at;
      r.mag_n = l.n;
      continue;
    }
    if (!has_key(l, "$end")) continue;
    // A record without a location line has nothing to test: it is counted
    // and dropped.
    ++tally.lines;
    if (r.loc < 0) ++unlocated;
    if (r.loc >= 0) {
      Line text = held_bytes(s);
      SummaryLine line = summary_of(r, text.p);
      last_n = std::min(line.loc.n, kTimeColumns);
      // Nearly every location line has all the columns: a copy of constant
      // length is a few moves.
      if (last_n == kTimeColumns)
        std::memcpy(last_loc, line.loc.p, kTimeColumns);
      else
        std::memcpy(last_loc, line.loc.p, last_n);
      have_last = true;
      RecordMark mark = mark_record(st, kBrimEventFields, line.loc, first_line);
      bool pass = !mark.far && brim_select(st.q, st, line, kRules);
      if (st.strict) {
        note_carried(st, pass, [&] { return brim_select(st.q, st, line, kRules); });
        note_first(st, brim_otime(st.days, line.loc));
      }
      // Only the forms that describe the record, the tests and checks that
      // read its event and an ordered output need its summary written.
      Line view = st.describes ? write_summary(line, summary) : line.loc;
      print_stuff(st, rule, pass, text, view, mark, tally);
    }
    clear_old_data(s, r);
  }
  if (skipping) too_long(st, first_line, "the end of the input");
  // Lines after the last "$end" belong to no record and are dropped.
  int unended = r.count;
  clear_old_data(s, r);
  if (st.fault) {
    end_of_stream(st, tally, false, 0.0, "");
    return;
  }
  if (st.strict && unlocated > 0)
    bad_input(st, util::format_text("%s: %d full brim record%s without a $loc line dropped",
                                    st.input_name, unlocated, unlocated == 1 ? "" : "s"));
  if (st.strict && unended > 0)
    bad_input(st, util::format_text("%s: %d line%s after the last $end dropped", st.input_name,
                                    unended, unended == 1 ? "" : "s"));
  double last_time = have_last ? brim_otime(st.days, Line{last_loc, last_n}) : 0.0;
  end_of_stream(st, tally, have_last, last_time, "%d lines, %d selected\n");
}

}  // namespace catsieve
