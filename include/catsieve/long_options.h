// Options spelled with two dashes.  The classic option table never matches
// a word that begins with "--", so these can never change the meaning of a
// classic command line.  A row's handler pulls its own arguments from the
// argument cursor, as the classic handlers do.
#ifndef CATSIEVE_LONG_OPTIONS_H
#define CATSIEVE_LONG_OPTIONS_H

namespace catsieve {

struct LongOption {
  const char* name;    // "--csv"
  void (*handler)();
  const char* args;    // argument synopsis for help output
  const char* remark;  // one-line description for help output
};

extern const LongOption long_options[];
extern const int nlong_options;

// Whether word is spelled with two dashes.
inline bool is_long_option(const char* word) { return word[0] == '-' && word[1] == '-'; }

// Runs the handler of the row that word names exactly; a word that names no
// row ends the run as an unknown classic option does.
void long_option(const char* word);

}  // namespace catsieve

#endif
