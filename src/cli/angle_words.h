// Angle words d[:m[:s]] of the latitude and longitude options, and the
// options that read them: -latitude, -longitude, -delta and -polygon.
#ifndef CLI_ANGLE_WORDS_H
#define CLI_ANGLE_WORDS_H

#include "cli/args.h"

namespace catsieve {

// The sign of an angle word ("+" and then "-" may lead it), and the rest.
const char* angle_sign(const char* word, double* sign);
// Decimal degrees of a word d[:m[:s]], sign first; text that is not a
// number reads as 0.
double angle_value(const char* word);
// The same, checked under --strict.
bool angle(ArgCursor& c, const char* word, double* degrees, util::Status* err);
// 1 when every character of word is one of "+-0123456789.:" (or it is
// empty), 0 otherwise or when there is no word.
int isangle(const char* word);

bool qlat(ArgCursor& c, RunConfig& cfg, util::Status* err);
bool qlon(ArgCursor& c, RunConfig& cfg, util::Status* err);
bool qdelta(ArgCursor& c, RunConfig& cfg, util::Status* err);
bool qpoly(ArgCursor& c, RunConfig& cfg, util::Status* err);

}  // namespace catsieve

#endif
