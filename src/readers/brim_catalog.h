// What the brim summary reader and the full brim reader share: the columns
// of a summary line, the missing-value rule and the tests in their order.
// Each reader brings its own missing-value markers and event-type letters.
#ifndef READERS_BRIM_CATALOG_H
#define READERS_BRIM_CATALOG_H

#include "outputs/event.h"
#include "query/query.h"
#include "readers/field_tests.h"
#include "readers/record_cycle.h"
#include "records/field.h"

namespace catsieve {

// Values given to a field that is blank or that the line does not reach.
// The brim summary reader's, then the full brim reader's.
constexpr double no_depth = -10000.0, no_mag = -10.0, no_rms = -1.0, no_close = -1.0,
                 no_otime_err = -1.0, no_lat_err = -1.0, no_lon_err = -1.0, no_depth_err = -1.0;
constexpr int no_num_sta = -1, no_max_az_gap = -1, no_num_mag_obs = -1;
constexpr double f_no_depth = -10000.0, f_no_mag = -10.0, f_no_rms = -1.0, f_no_close = -1.0,
                 f_no_otime_err = -1.0, f_no_lat_err = -1.0, f_no_lon_err = -1.0,
                 f_no_depth_err = -1.0;
constexpr int f_no_num_sta = -1, f_no_max_az_gap = -1, f_no_num_mag_obs = -1;

struct BrimMissing {
  double depth, mag;
  int num_sta;
  double rms;
  int max_az_gap;
  double close;
  int num_mag_obs;
  double otime_err, lat_err, lon_err, depth_err;
};

// Length of a summary line as the full brim reader builds it.
constexpr int kBrimLocWidth = 123;
constexpr int kBrimMagWidth = 48;

// What a reader of summary lines brings: its missing-value markers and the
// type letters it takes for earthquakes.
struct BrimRules {
  const BrimMissing& missing;
  const char* quakes;
};

// A summary line: a line of the brim summary catalog, or the chosen
// location and magnitude lines of a full brim record, standing at the
// columns of the summary line that they make (the location line in columns
// 1-123, the magnitude line in 124-171).  No field straddles the two.
struct SummaryLine {
  Line loc;       // columns 1-123, or the whole line
  Line mag;       // columns 124-171; empty when there is none
  size_t n;       // the length of the summary line
  bool split;     // whether the columns from 124 on are the magnitude line's
};
inline SummaryLine whole_line(const Line& l) { return SummaryLine{l, Line{l.p, 0}, l.n, false}; }

// What makes a summary line an event (fields of the location part).
extern const EventFields kBrimEventFields;
// Origin time of a summary line (columns 6-24, of the location part).
double brim_otime(DayCache& days, const Line& loc);
// The enabled tests in order; the first failing one rejects the line.
bool brim_select(const Query& q, RunState& st, const SummaryLine& l, const BrimRules& rules);
// The event a summary line describes.
void brim_describe(DayCache& days, const SummaryLine& l, const BrimRules& rules, Event* e);
// A field of a summary line read for a column of a table.
double read_field(const SummaryLine& l, const Column<SummaryLine>& c);
// Whether any field test of a summary line is on.
bool brim_field_tests(const Query& q);
// Event-type letters of -etype and the type codes each accepts.
extern const EtypeGroup kBrimTypes[];

void search_brim_catalog(Stream& s, RunState& st);

}  // namespace catsieve

#endif
