// The brim summary catalog: one event per line in fixed columns.  Optional
// fields that are blank, or that a short line does not reach, take a fixed
// missing-value marker, which is then tested like any value read.  The
// line tests here also serve the full brim reader, on the summary line it
// builds from each record.
#include "readers/brim_catalog.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "readers/field_tests.h"
#include "records/day_cache.h"
#include "util/calendar.h"

namespace catsieve {

namespace {

// Columns of a summary line.
constexpr Col kYear = {6, 4, 0};
constexpr Col kMonth = {10, 2, 0};
constexpr Col kDay = {12, 2, 0};
constexpr Col kHour = {14, 2, 0};
constexpr Col kMinute = {16, 2, 0};
constexpr Col kSeconds = {18, 7, 0};
constexpr Col kLat = {25, 9, 0};
constexpr Col kLon = {34, 10, 0};
constexpr Col kDepth = {44, 8, 0};
constexpr Col kNumSta = {57, 4, 0};
constexpr Col kGap = {61, 3, 0};
constexpr Col kClose = {64, 10, 0};
constexpr Col kRms = {74, 7, 0};
constexpr Col kOtimeErr = {81, 7, 0};
constexpr Col kDepthErr = {95, 7, 0};
constexpr int kEtype = 102;  // two characters, also the felt marks
constexpr Col kMag = {130, 5, 0};
constexpr Col kNumMagObs = {140, 4, 0};
constexpr Col kLatErr = {239, 10, 0};
constexpr Col kLonErr = {249, 10, 0};

// The part of a summary line that holds a field, with the field's column
// moved to that part.
const Line& part(const SummaryLine& l, Col* c) {
  if (!l.split || c->col <= kBrimLocWidth) return l.loc;
  c->col -= kBrimLocWidth;
  return l.mag;
}

// The event-type columns (also the felt marks) lie in the location part.
static_assert(kEtype + 1 <= kBrimLocWidth, "event type in the location part");

// An optional field is missing when the line, newline included, ends
// before the field's last column, or when it holds only blanks.  A NUL byte
// is a character like any other: a field that holds one is not blank, and
// its value is what the number reader makes of its text.  The line it lies
// in is left in *in and its column in *c.
bool missing(const SummaryLine& l, Col* c, const Line** in) {
  if (l.n < static_cast<size_t>(c->col + c->width - 1)) return true;
  *in = &part(l, c);
  size_t from = static_cast<size_t>(c->col - 1);
  size_t to = std::min(from + static_cast<size_t>(c->width), (*in)->n);
  for (size_t i = from; i < to; ++i)
    if ((*in)->p[i] != ' ') return false;
  return true;
}

double opt_real(const SummaryLine& l, Col c, double marker) {
  const Line* in;
  return missing(l, &c, &in) ? marker : freal(*in, c);
}

int opt_int(const SummaryLine& l, Col c, int marker) {
  const Line* in;
  return missing(l, &c, &in) ? marker : fint(*in, c);
}

char upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool felt_mark(char c) { return c == 'F' || c == 'D' || c == 'C'; }

// Two blank type columns stand for an earthquake; otherwise either column,
// in upper case, must be an accepted type code.
bool etype_ok(const Query& q, char c1, char c2, const LetterSet& accepted) {
  if (c1 == ' ' && c2 == ' ') return q.etypes.find('E') != std::string::npos;
  return accepted.contains(upper(c1)) || accepted.contains(upper(c2));
}

// The event-type word of one type column; nullptr for a blank.
const char* type_word(char c, const char* quakes) {
  c = upper(c);
  if (c == ' ') return nullptr;
  if (c != '\0' && std::strchr(quakes, c)) return "earthquake";
  switch (c) {
    case 'Q': return "quarry blast";
    case 'N': return "nuclear explosion";
    case 'B': return "explosion";
    default: return "other event";
  }
}

const BrimMissing kMissing = {
    no_depth,       no_mag,       no_num_sta, no_rms,     no_max_az_gap, no_close,
    no_num_mag_obs, no_otime_err, no_lat_err, no_lon_err, no_depth_err,
};

constexpr const char* kQuakes = "LTRFDCV";
const BrimRules kRules = {kMissing, kQuakes};

bool select_line(const Query& q, RunState& st, const Line& l) {
  return brim_select(q, st, whole_line(l), kRules);
}
void describe_line(const Query&, DayCache& days, const Line& l, Event* e) {
  brim_describe(days, whole_line(l), kRules, e);
}

double day(DayCache& days, const Line& l) {
  return cached_day(days, l, kYear.col, kDay.col + kDay.width - kYear.col, [&l] {
    return util::day_start(fint(l, kYear), fint(l, kMonth), fint(l, kDay), 1);
  });
}

}  // namespace

const EventFields kBrimEventFields = {day,     kYear,    0,    kMonth, kDay, Col{}, kHour,
                                      kMinute, kSeconds, kLat, Col{},  kLon, Col{}};

const EtypeGroup kBrimTypes[] = {
    {'E', "LTRFDCV"}, {'Q', "Q"}, {'R', "R"}, {'B', "QBN"}, {'N', "N"}, {'H', "H"}, {'\0', nullptr},
};

double brim_otime(DayCache& days, const Line& l) {
  return util::time_of_day(day(days, l), fint(l, kHour), fint(l, kMinute), freal(l, kSeconds));
}

// A field of a summary line read for a column of the table: its missing
// value when it is blank or the line ends before it.
double read_field(const SummaryLine& l, const Column<SummaryLine>& c) {
  if (c.read == Read::kInt)
    return static_cast<double>(opt_int(l, c.col, static_cast<int>(c.missing)));
  return opt_real(l, c.col, c.missing);
}

namespace {

// The brim markers are those of both readers of summary lines.
static_assert(no_depth == f_no_depth && no_mag == f_no_mag && no_num_sta == f_no_num_sta &&
                  no_rms == f_no_rms && no_max_az_gap == f_no_max_az_gap &&
                  no_close == f_no_close && no_num_mag_obs == f_no_num_mag_obs &&
                  no_otime_err == f_no_otime_err && no_lat_err == f_no_lat_err &&
                  no_lon_err == f_no_lon_err && no_depth_err == f_no_depth_err,
              "one table serves both readers");

bool mag_test(const Query& q, RunState&, const SummaryLine& l) {
  return mag_ok(q, opt_real(l, kMag, no_mag), no_mag);
}

bool felt_test(const Query&, RunState&, const SummaryLine& l) {
  return felt_mark(fchar(l.loc, kEtype)) || felt_mark(fchar(l.loc, kEtype + 1));
}

using Summary = Column<SummaryLine>;

// The field tests in the order they run.
constexpr Summary kColumns[] = {
    real_column<SummaryLine>(Crit::kDepth, kDepth, no_depth),
    test_column<SummaryLine>(Crit::kMag, mag_test),
    int_column<SummaryLine>(Crit::kNsta, kNumSta, no_num_sta),
    real_column<SummaryLine>(Crit::kRms, kRms, no_rms),
    int_column<SummaryLine>(Crit::kGap, kGap, no_max_az_gap),
    real_column<SummaryLine>(Crit::kClose, kClose, no_close),
    int_column<SummaryLine>(Crit::kNmag, kNumMagObs, no_num_mag_obs),
    test_column<SummaryLine>(Crit::kFelt, felt_test),
    real_column<SummaryLine>(Crit::kOterr, kOtimeErr, no_otime_err),
    real_column<SummaryLine>(Crit::kLaterr, kLatErr, no_lat_err),
    real_column<SummaryLine>(Crit::kLonerr, kLonErr, no_lon_err),
    real_column<SummaryLine>(Crit::kZerr, kDepthErr, no_depth_err),
};

// An optional field as an event sees it: absent when missing, or when it
// holds the marker itself.
Real opt_field(const SummaryLine& l, Col c, double marker) {
  const Line* in;
  if (missing(l, &c, &in)) return Real{};
  Real r = real_field(*in, c);
  r.has = value(r) != marker;
  return r;
}

Count opt_count(const SummaryLine& l, Col c, int marker) {
  int v = opt_int(l, c, marker);
  return Count{v != marker, v};
}

}  // namespace

bool brim_field_tests(const Query& q) { return any_field_test(q, kColumns); }

bool brim_select(const Query& q, RunState& st, const SummaryLine& l, const BrimRules&) {
  const Line& loc = l.loc;  // time and place lie in the location part
  if (st.otime.on && !otime_in(st.otime, day(st.days, loc), loc, kHour, kMinute, kSeconds))
    return false;
  Place place;
  if (!place_ok(q, loc, kLat, kLon, &place)) return false;
  if (st.field_tests && !fields_ok<kColumns>(q, st, l)) return false;
  if (!area_ok(q, place)) return false;
  if (q.etype_on && !etype_ok(q, fchar(l.loc, kEtype), fchar(l.loc, kEtype + 1), st.accepted))
    return false;
  return true;
}

// A type other than earthquake in either column names the event; two blank
// columns, or earthquake letters only, make it an earthquake.
void brim_describe(DayCache& days, const SummaryLine& l, const BrimRules& r, Event* e) {
  const BrimMissing& m = r.missing;
  describe_time(brim_otime(days, l.loc), l.loc, kSeconds, e);
  describe_place(l.loc, kLat, kLon, e);
  e->depth = opt_field(l, kDepth, m.depth);
  e->nsta = opt_count(l, kNumSta, m.num_sta);
  e->gap = opt_field(l, kGap, m.max_az_gap);
  e->close = opt_field(l, kClose, m.close);
  e->rms = opt_field(l, kRms, m.rms);
  e->oterr = opt_field(l, kOtimeErr, m.otime_err);
  e->zerr = opt_field(l, kDepthErr, m.depth_err);
  e->mag = opt_field(l, kMag, m.mag);
  e->mag_obs = opt_count(l, kNumMagObs, m.num_mag_obs);
  e->laterr = opt_field(l, kLatErr, m.lat_err);
  e->lonerr = opt_field(l, kLonErr, m.lon_err);
  const char* first = type_word(fchar(l.loc, kEtype), r.quakes);
  const char* second = type_word(fchar(l.loc, kEtype + 1), r.quakes);
  e->type = "earthquake";
  if (first && std::strcmp(first, "earthquake") != 0)
    e->type = first;
  else if (second && std::strcmp(second, "earthquake") != 0)
    e->type = second;
}

void search_brim_catalog(Stream& s, RunState& st) {
  static constexpr LineReader reader = {512,
                                        true,
                                        select_line,
                                        brim_otime,
                                        describe_line,
                                        "%d lines, %d selected, \n",
                                        &kBrimEventFields};
  st.field_tests = brim_field_tests(st.q);
  search_lines(s, nullptr, reader, st);
}

}  // namespace catsieve
