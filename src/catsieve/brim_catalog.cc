// The brim summary catalog: one event per line in fixed columns.  Optional
// fields that are blank, or that a short line does not reach, take a fixed
// missing-value marker, which is then tested like any value read.  The
// line tests here also serve the full brim reader, on the summary line it
// builds from each record.
#include "brim_catalog.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "catsieve/day_cache.h"
#include "catsieve/readers.h"
#include "util/calendar.h"

namespace catsieve {

extern const double no_depth = -10000.0;
extern const double no_mag = -10.0;
extern const int no_num_sta = -1;
extern const double no_rms = -1.0;
extern const int no_max_az_gap = -1;
extern const double no_close = -1.0;
extern const int no_num_mag_obs = -1;
extern const double no_otime_err = -1.0;
extern const double no_lat_err = -1.0;
extern const double no_lon_err = -1.0;
extern const double no_depth_err = -1.0;

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
// before the field's last column, or when its text is all blanks: blanks
// up to the end of the field, or up to a NUL byte, which ends the text as
// the C library reads it.  The line it lies in is left in *in and its
// column in *c.
bool missing(const SummaryLine& l, Col* c, const Line** in) {
  if (l.n < static_cast<size_t>(c->col + c->width - 1)) return true;
  *in = &part(l, c);
  size_t from = static_cast<size_t>(c->col - 1);
  size_t to = std::min(from + static_cast<size_t>(c->width), (*in)->n);
  for (size_t i = from; i < to; ++i)
    if ((*in)->p[i] != ' ') return (*in)->p[i] == '\0';
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

const EtypeGroup kBrimTypes[] = {
    {'E', "LTRFDCV"}, {'Q', "Q"}, {'R', "R"}, {'B', "QBN"}, {'N', "N"}, {'H', "H"},
};

const BrimMissing kMissing = {
    no_depth, no_mag, no_num_sta, no_rms, no_max_az_gap, no_close,
    no_num_mag_obs, no_otime_err, no_lat_err, no_lon_err, no_depth_err,
};

LetterSet accepted;
constexpr const char* kQuakes = "LTRFDCV";
const BrimRules kRules = {kMissing, accepted, kQuakes};

bool select_line(const Query& q, const Line& l) { return brim_select(q, whole_line(l), kRules); }
void describe_line(const Query&, const Line& l, Event* e) {
  brim_describe(whole_line(l), kRules, e);
}

}  // namespace

namespace {

double day(const Line& l) {
  thread_local DayCache days;
  return cached_day(days, l, kYear.col, kDay.col + kDay.width - kYear.col, [&l] {
    return util::day_start(fint(l, kYear), fint(l, kMonth), fint(l, kDay), 1);
  });
}

}  // namespace

double brim_otime(const Line& l) {
  return util::time_of_day(day(l), fint(l, kHour), fint(l, kMinute), freal(l, kSeconds));
}

namespace {

bool fields_ok(const Query& q, const SummaryLine& l, const BrimMissing& m) {
  if (q.depth.on && !q.depth.holds(opt_real(l, kDepth, m.depth))) return false;
  if (q.mag.on && !mag_ok(q, opt_real(l, kMag, m.mag), m.mag)) return false;
  if (q.nsta.on && !q.nsta.holds(opt_int(l, kNumSta, m.num_sta))) return false;
  if (q.rms.on && !q.rms.holds(opt_real(l, kRms, m.rms))) return false;
  if (q.gap.on && !q.gap.holds(static_cast<double>(opt_int(l, kGap, m.max_az_gap))))
    return false;
  if (q.close.on && !q.close.holds(opt_real(l, kClose, m.close))) return false;
  if (q.nmag.on && !q.nmag.holds(opt_int(l, kNumMagObs, m.num_mag_obs))) return false;
  if (q.felt && !felt_mark(fchar(l.loc, kEtype)) && !felt_mark(fchar(l.loc, kEtype + 1)))
    return false;
  if (q.oterr.on && !q.oterr.holds(opt_real(l, kOtimeErr, m.otime_err))) return false;
  if (q.laterr.on && !q.laterr.holds(opt_real(l, kLatErr, m.lat_err))) return false;
  if (q.lonerr.on && !q.lonerr.holds(opt_real(l, kLonErr, m.lon_err))) return false;
  if (q.zerr.on && !q.zerr.holds(opt_real(l, kDepthErr, m.depth_err))) return false;
  return true;
}

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

bool brim_select(const Query& q, const SummaryLine& l, const BrimRules& r) {
  const Line& loc = l.loc;  // time and place lie in the location part
  if (q.otime.on && !otime_in(q.otime, day(loc), loc, kHour, kMinute, kSeconds)) return false;
  Place place;
  if (!place_ok(q, loc, kLat, kLon, &place)) return false;
  if (q.field_tests && !fields_ok(q, l, r.missing)) return false;
  if (!area_ok(q, place)) return false;
  if (q.etype_on && !etype_ok(q, fchar(l.loc, kEtype), fchar(l.loc, kEtype + 1), r.accepted))
    return false;
  return true;
}

// A type other than earthquake in either column names the event; two blank
// columns, or earthquake letters only, make it an earthquake.
void brim_describe(const SummaryLine& l, const BrimRules& r, Event* e) {
  const BrimMissing& m = r.missing;
  describe_time(brim_otime(l.loc), l.loc, kSeconds, e);
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
  if (first && std::strcmp(first, "earthquake") != 0) e->type = first;
  else if (second && std::strcmp(second, "earthquake") != 0) e->type = second;
}

void search_brim_catalog(Stream& s, const Line*, Query& q, Sink& out) {
  static const LineReader reader = {512, true, select_line, brim_otime, describe_line,
                                    "%d lines, %d selected, \n"};
  if (q.etype_on) accepted = build_etypes(q, kBrimTypes, sizeof kBrimTypes / sizeof kBrimTypes[0]);
  search_lines(s, nullptr, reader, q, out);
}

}  // namespace catsieve
