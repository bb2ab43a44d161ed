// Which criteria each format's reader actually tests.  Under --strict an
// option whose test the chosen format never runs is an error: the classic
// readers pass every record on such a test without a word.
#ifndef CATSIEVE_STRICT_FORMATS_H
#define CATSIEVE_STRICT_FORMATS_H

#include "catsieve/query.h"
#include "catsieve/sink.h"

namespace catsieve {

// The -format keyword of a format code ("tarn" for every tarn layout).
const char* format_keyword(int format);

// Whether the reader of the format code tests the option's criterion;
// options that are not criteria (-format, -verbose, ...) count as tested.
bool format_tests(int format, const char* option);

// After the options: every option given must matter to the format, with
// the options it needs.  Ends the run on the first that does not.
void strict_check_options(const Query& q, const Sink& out);

}  // namespace catsieve

#endif
