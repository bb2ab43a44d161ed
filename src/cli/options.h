// The option table: one row per option, with its handler, its texts for
// -help and --help, the kind of its arguments and the formats that test
// it.  The classic options come first, in their classic order; the
// two-dash ones follow.  -help, --help, the strict checks and the notes of
// what a format does not test are all made from it.
#ifndef CLI_OPTIONS_H
#define CLI_OPTIONS_H

#include "cli/args.h"
#include "query/query.h"

namespace catsieve {

// What the arguments of an option are, for --strict.
enum class ArgKind {
  kNone,
  kWord,        // one word
  kNumbers,     // numbers (each a whole finite number)
  kLatitudes,   // angle words of latitudes
  kLongitudes,  // angle words of longitudes
  kPoints,      // angle words, latitude and longitude by turns, then numbers
  kDates,       // date-time words yyyymmddhhmmss[+-offset]
  kTypes,       // a list of magnitude types; lists of several options add up
};

// The groups of --help, in their order.
enum class HelpGroup {
  kInput, kPlace, kSize, kLetters, kOutput, kOrder, kWindow, kFdsn, kChecks
};

struct OptionRow {
  const char* name;    // the option word, leading "-" included
  Handler handler;
  const char* args;    // argument synopsis
  const char* remark;  // one-line description of -help
  ArgKind kind;
  // The formats whose readers test it (FormatBit); 0 for an option that
  // every format honours.
  unsigned formats;
  Crit crit;               // the criterion a range option sets
  const char* range_name;  // its name in "minimum <name> value greater than maximum"
  HelpGroup group;         // where --help lists it, and in which place
  int rank;
  const char* help;   // its text of --help; a new line continues it
  const char* where;  // the formats' note of --help when not made from formats
};

extern const OptionRow kOptions[];
extern const int kOptionCount;
extern const int kClassicCount;  // the classic rows come first

// The classic table, which -help lists and names are matched against.
struct Rows {
  const OptionRow* b;
  const OptionRow* e;
  const OptionRow* begin() const { return b; }
  const OptionRow* end() const { return e; }
};
Rows classic_rows();
// The row of a two-dash word, or null.
const OptionRow* long_option(const char* word);
// The row of an option name, classic or two-dash, or null.
const OptionRow* option_named(const char* name);

}  // namespace catsieve

#endif
