// Date-time and angle words of the command line.
#ifndef CATSIEVE_ARGS_H
#define CATSIEVE_ARGS_H

namespace catsieve {

// Time value of a word yyyymmddhhmmss[.fff][+-offset]; ends the run on a
// malformed word.
double epoch(const char* word);
// Signed offset in seconds of text such as "+1d12h"; 0 for an empty text.
double offset(const char* text);

// The sign of an angle word ("+" and then "-" may lead it), and the rest.
const char* angle_sign(const char* word, double* sign);
// Decimal degrees of a word d[:m[:s]], sign first; text that is not a
// number reads as 0.
double angle(const char* word);
// 1 when every character of word is one of "+-0123456789.:" (or it is
// empty), 0 otherwise or when there is no word.
int isangle(const char* word);

}  // namespace catsieve

#endif
