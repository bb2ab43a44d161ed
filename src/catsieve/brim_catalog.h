// What the brim summary reader and the full brim reader share: the columns
// of a summary line, the missing-value rule and the tests in their order.
// Each reader brings its own missing-value markers and event-type letters.
#ifndef CATSIEVE_BRIM_CATALOG_H
#define CATSIEVE_BRIM_CATALOG_H

#include "catsieve/event.h"
#include "catsieve/field.h"
#include "catsieve/query.h"
#include "catsieve/record_cycle.h"

namespace catsieve {

// Values given to a field that is blank or that the line does not reach.
extern const double no_depth, no_mag, no_rms, no_close, no_otime_err, no_lat_err, no_lon_err,
    no_depth_err;
extern const int no_num_sta, no_max_az_gap, no_num_mag_obs;
extern const double f_no_depth, f_no_mag, f_no_rms, f_no_close, f_no_otime_err, f_no_lat_err,
    f_no_lon_err, f_no_depth_err;
extern const int f_no_num_sta, f_no_max_az_gap, f_no_num_mag_obs;

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

// What a reader of summary lines brings: its missing-value markers, its
// accepted event-type letters for this call, and the type letters it takes
// for earthquakes.
struct BrimRules {
  const BrimMissing& missing;
  const LetterSet& accepted;
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

// Origin time of a summary line (columns 6-24, of the location part).
double brim_otime(const Line& loc);
// The enabled tests in order; the first failing one rejects the line.
bool brim_select(const Query& q, const SummaryLine& l, const BrimRules& rules);
// The event a summary line describes.
void brim_describe(const SummaryLine& l, const BrimRules& rules, Event* e);

}  // namespace catsieve

#endif
