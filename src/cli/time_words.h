// Date-time words of the command line: -time's yyyymmddhhmmss[.fff] with an
// optional offset, and --since and --until's ISO 8601 date-times, each end
// on its own (an end not given stays open).
#ifndef CLI_TIME_WORDS_H
#define CLI_TIME_WORDS_H

#include "cli/args.h"

namespace catsieve {

// Time value of a word yyyymmddhhmmss[.fff][+-offset]; the message of a
// malformed word.
bool epoch(ArgCursor& c, const char* word, double* t, util::Status* err);
// Signed offset in seconds of text such as "+1d12h"; 0 for an empty text.
bool offset(const ArgCursor& c, const char* text, double* seconds, util::Status* err);

// -time min max; the interval comes from -time or from --since and
// --until, never from both.
bool qtime(ArgCursor& c, RunConfig& cfg, util::Status* err);
// --since T and --until T, where --until also takes an offset such as
// +30d, counted from the --since given before it.
bool qsince(ArgCursor& c, RunConfig& cfg, util::Status* err);
bool quntil(ArgCursor& c, RunConfig& cfg, util::Status* err);

}  // namespace catsieve

#endif
