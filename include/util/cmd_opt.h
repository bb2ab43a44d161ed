// Table-driven command-line reader: option lookup by unique prefix, a shared
// argument cursor for the option handlers, usage and help texts.
#ifndef UTIL_CMD_OPT_H
#define UTIL_CMD_OPT_H

namespace util {

struct OptionEntry {
  void (*handler)();
  const char* name;    // the option word, leading "-" included
  const char* args;    // argument synopsis for help output
  const char* remark;  // one-line description for help output
};

// The option table and its row count, set by the program at start-up.
extern const OptionEntry* cmd;
extern int ncmd;

// The argument cursor: the words of the command line and the index of the
// word being consumed.
extern int eargc;
extern char** eargv;
extern int iarg;

// Characters a numeric argument may consist of.
extern const char* const numeric_chars;

// The row that word names by unique prefix; ends the run otherwise.
const OptionEntry* findname(const char* word);
// Next word, or "Too few args".
char* aarg();
// Next word as a number, or "Numeric arg needed".
double narg();
// Called with each word that narg accepts, before it is converted; none
// unless the program installs a stricter check.
extern void (*narg_check)(const char* word);
// Whether a next word exists and consists only of numeric characters.
bool isnarg();
// Next word without advancing, or nullptr.
char* peekarg();

// nullptr when every character of text is in set, else the first that is not.
const char* verify(const char* text, const char* set);

[[noreturn]] void prt_doc(const char* extra);
[[noreturn]] void prt_help();
void prt_hdoc();
void prt_1doc(const OptionEntry* entry);
void qhelp();

}  // namespace util

#endif
