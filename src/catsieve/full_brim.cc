// The full brim catalog: an event is a record of lines closed by a "$end"
// line.  From its chosen location line ("$loc") and magnitude line ("$mag")
// a summary line in the brim summary layout is built and tested as the brim
// summary reader tests its lines; a selected record is written whole.
#include <algorithm>
#include <cstring>

#include "brim_catalog.h"
#include "catsieve/readers.h"
#include "catsieve/strict.h"

namespace catsieve {

extern const double f_no_depth = -10000.0;
extern const double f_no_mag = -10.0;
extern const int f_no_num_sta = -1;
extern const double f_no_rms = -1.0;
extern const int f_no_max_az_gap = -1;
extern const double f_no_close = -1.0;
extern const int f_no_num_mag_obs = -1;
extern const double f_no_otime_err = -1.0;
extern const double f_no_lat_err = -1.0;
extern const double f_no_lon_err = -1.0;
extern const double f_no_depth_err = -1.0;

namespace {

// The record being read: its lines stay in the stream's buffer, held from
// the first, so memory follows the largest record; here is where its chosen
// location and magnitude lines lie, counted from its first byte.
struct FullBrimRecord {
  int count = 0;     // lines in the record
  int loc = -1;      // index of the chosen location line, or -1
  int mag = -1;      // index of the chosen magnitude line, or -1
  size_t loc_at = 0, loc_n = 0;
  size_t mag_at = 0, mag_n = 0;
};

constexpr size_t kLineBuffer = 512;
constexpr int kSummaryLength = kBrimLocWidth + kBrimMagWidth;

// Unlike the brim summary letters, E leaves out V and B takes in Q and R only.
const EtypeGroup kFullBrimTypes[] = {
    {'E', "LTRFDC"}, {'Q', "Q"}, {'R', "R"}, {'B', "QR"}, {'N', "N"}, {'H', "H"},
};

const BrimMissing kMissing = {
    f_no_depth, f_no_mag, f_no_num_sta, f_no_rms, f_no_max_az_gap, f_no_close,
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

LetterSet accepted;
const BrimRules kRules = {kMissing, accepted, kQuakes};

void describe_summary(const Query&, const Line& summary, Event* e) {
  SummaryLine l{Line{summary.p, kBrimLocWidth}, Line{summary.p + kBrimLocWidth, kBrimMagWidth},
                kSummaryLength, true};
  brim_describe(l, kRules, e);
}

// Puts out the whole record, every line as read, when it is selected (or
// with -negate when it is not); its summary line describes it.
void print_stuff(const Query& q, Sink& out, EmitRule rule, bool pass, const Line& text,
                 const Line& summary, Tally& tally) {
  emit(rule, pass, text, summary, describe_summary, q, out, tally);
}

// Empties the record for the next one.
void clear_old_data(Stream& s, FullBrimRecord& r) {
  release(s);
  r.count = 0;
  r.loc = r.mag = -1;
}

}  // namespace

void search_full_brim_catalog(Stream& s, const Line*, Query& q, Sink& out) {
  if (q.etype_on)
    accepted = build_etypes(q, kFullBrimTypes, sizeof kFullBrimTypes / sizeof kFullBrimTypes[0]);
  FullBrimRecord r;
  Tally tally;
  int unlocated = 0;  // records without a location line
  EmitRule rule = emit_rule(q, out);
  // The date and time columns of the last record's location line, for the
  // lower time bound of the next input.
  constexpr size_t kTimeColumns = 24;
  char last_loc[kTimeColumns];
  size_t last_n = 0;
  bool have_last = false;
  char summary[kSummaryLength];
  Line l;
  while (readline(s, kLineBuffer, &l)) {
    if (r.count == 0) hold(s, l);
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
      bool pass = brim_select(q, line, kRules);
      // Only the forms that describe the record need its summary written.
      Line view = sink_describes(out) ? write_summary(line, summary) : line.loc;
      print_stuff(q, out, rule, pass, text, view, tally);
    }
    clear_old_data(s, r);
  }
  // Lines after the last "$end" belong to no record and are dropped.
  int unended = r.count;
  clear_old_data(s, r);
  if (strict_mode && unlocated > 0)
    strict_bad_input("%s: %d full brim record%s without a $loc line dropped", strict_input,
                     unlocated, unlocated == 1 ? "" : "s");
  if (strict_mode && unended > 0)
    strict_bad_input("%s: %d line%s after the last $end dropped", strict_input, unended,
                     unended == 1 ? "" : "s");
  double last_time = have_last ? brim_otime(Line{last_loc, last_n}) : 0.0;
  end_of_stream(q, tally, have_last, last_time, "%d lines, %d selected\n");
}

}  // namespace catsieve
