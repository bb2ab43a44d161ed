// --since and --until: the ends of the origin-time interval as ISO 8601
// date-times, each on its own.  An end not given stays open.
#ifndef CATSIEVE_SINCE_UNTIL_H
#define CATSIEVE_SINCE_UNTIL_H

namespace catsieve {

// Option handlers: --since T and --until T, where --until also takes an
// offset such as +30d, counted from the --since given before it.
void qsince();
void quntil();

// Called by -time: the interval comes from -time or from --since and
// --until, never from both; whichever comes second ends the run.
void classic_time_given();

// Start values for a new run.
void reset_since_until();

}  // namespace catsieve

#endif
