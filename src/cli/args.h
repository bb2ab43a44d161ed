// The command line as a value: the argument cursor that the option
// handlers read their words from, and the run configuration they fill.
#ifndef CLI_ARGS_H
#define CLI_ARGS_H

#include <set>
#include <string>

#include "engine/search.h"
#include "query/query.h"
#include "util/status.h"

namespace catsieve {

struct OptionRow;

// What the options make of a run.
struct RunConfig {
  Query query;
  Request request;
};

// The words of the command line, the one being read, and what the reading
// has learnt so far.
struct ArgCursor {
  int argc = 0;
  char** argv = nullptr;
  int i = 0;  // the word being read: the option, then each of its arguments
  std::string progname;
  const OptionRow* row = nullptr;  // the option being read
  std::string out;                 // text for standard output (--help, --version)

  bool strict = false;     // --strict stands on the command line
  std::string option;      // the option being read, as --strict names it
  std::set<std::string> seen;  // options given so far, under --strict
  int angle_words = 0;     // angle words the option has read so far

  // The value of a "--name=value" word, read as the option's next word.
  const char* inline_value = nullptr;

  bool format_chosen = false;
  bool form_chosen = false;
  bool mtype_given = false, etype_given = false;
  // Which options have given the time interval so far.
  bool classic_time = false, since_given = false, until_given = false;
  double since_value = 0;
};

// An option handler: reads its arguments from the cursor into the config;
// false ends the run with *err (an error, or exit status 0 after help).
using Handler = bool (*)(ArgCursor& c, RunConfig& cfg, util::Status* err);

// The outcome of the command line: a configuration to run, or the text
// and status the run ends with (out goes to standard output).
struct Parsed {
  bool run = false;
  RunConfig config;
  util::Status status;
  std::string out;
};
Parsed parse_args(int argc, char** argv);

// The classic message line: "<progname>: <message>", the system error
// text in parentheses when errno is set, and exit status 1.  Returns false.
bool fail(const ArgCursor& c, util::Status* err, const char* format, ...)
    __attribute__((format(printf, 3, 4)));
// The --strict message line: "<progname>: <message>", status 1.
bool strict_fail(const ArgCursor& c, util::Status* err, const char* format, ...)
    __attribute__((format(printf, 3, 4)));

// The next word, or "Too few args".
bool next_word(ArgCursor& c, util::Status* err, const char** word);
// The next word as a number, or "Numeric arg needed".
bool next_number(ArgCursor& c, util::Status* err, double* value);
// The next word without moving on, or null.
const char* peek_word(const ArgCursor& c);
// The row of the classic table that word names by unique prefix; the
// message when none or several do.
bool find_option(const ArgCursor& c, const char* word, const OptionRow** row, util::Status* err);

}  // namespace catsieve

#endif
