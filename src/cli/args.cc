// Reading the command line: options, by unique prefix for the classic
// table and exactly for the two-dash ones, until the first word that does
// not begin with "-"; the rest name the inputs.
#include "cli/args.h"

#include <cerrno>
#include <cstdarg>
#include <cstdlib>
#include <cstring>

#include "cli/fdsn_options.h"
#include "cli/options.h"
#include "cli/strict_checks.h"
#include "util/error_text.h"

namespace catsieve {

namespace {

// Characters a numeric argument may consist of.
const char kNumericChars[] = "+-.0123456789eE";

bool all_numeric(const char* text) { return text[std::strspn(text, kNumericChars)] == '\0'; }

bool is_long_option(const char* word) { return word[0] == '-' && word[1] == '-'; }

bool strict_requested(int argc, char** argv) {
  for (int i = 1; i < argc; ++i)
    if (std::strcmp(argv[i], kStrictWord) == 0) return true;
  return false;
}

// The option's name as --strict names it: the row's name without the
// padding of the classic table, or the two-dash word.
bool start_option(ArgCursor& c, const OptionRow& row, util::Status* err) {
  c.row = &row;
  if (!c.strict) return true;
  c.option = row.name;
  c.option.erase(c.option.find_last_not_of(' ') + 1);
  return strict_note_option(c, err);
}

}  // namespace

bool fail(const ArgCursor& c, util::Status* err, const char* format, ...) {
  // The system error indicator is read first: formatting may change it.
  int saved = errno;
  va_list args;
  va_start(args, format);
  std::string text = c.progname + ": " + util::vformat_text(format, args);
  va_end(args);
  if (saved) text += " (" + util::error_text(saved) + ")";
  *err = util::Status{1, false, text + "\n"};
  return false;
}

bool strict_fail(const ArgCursor& c, util::Status* err, const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::string text = c.progname + ": " + util::vformat_text(format, args) + "\n";
  va_end(args);
  *err = util::Status{1, false, text};
  return false;
}

bool next_word(ArgCursor& c, util::Status* err, const char** word) {
  if (c.inline_value) {
    *word = c.inline_value;
    c.inline_value = nullptr;
    return true;
  }
  if (c.i + 1 >= c.argc) return fail(c, err, "Too few args");
  *word = c.argv[++c.i];
  return true;
}

bool next_number(ArgCursor& c, util::Status* err, double* value) {
  const char* next = peek_word(c);
  if (!(next && all_numeric(next))) return fail(c, err, "Numeric arg needed");
  const char* word;
  next_word(c, err, &word);
  if (c.strict && !strict_check_number(c, word, err)) return false;
  *value = std::atof(word);
  return true;
}

const char* peek_word(const ArgCursor& c) {
  if (c.inline_value) return c.inline_value;
  return c.i + 1 < c.argc ? c.argv[c.i + 1] : nullptr;
}

bool find_option(const ArgCursor& c, const char* word, const OptionRow** row, util::Status* err) {
  size_t n = std::strlen(word);
  const OptionRow* found = nullptr;
  int matches = 0;
  for (const OptionRow& r : classic_rows()) {
    if (std::strncmp(r.name, word, n) != 0) continue;
    if (std::strlen(r.name) == n) {
      *row = &r;
      return true;
    }
    found = &r;
    ++matches;
  }
  if (matches == 0) return fail(c, err, "Option \"%s\" not known", word);
  if (matches == 1) {
    *row = found;
    return true;
  }
  std::string text = c.progname + ": option \"" + word + "\" is ambiguous: cf. ";
  for (const OptionRow& r : classic_rows())
    if (std::strncmp(r.name, word, n) == 0) text += std::string(" ") + r.name;
  *err = util::Status{1, false, text + "\n"};
  return false;
}

Parsed parse_args(int argc, char** argv) {
  // The classic messages show the system error left standing by the words
  // read so far: the reading starts, as a new process does, with none.
  errno = 0;
  Parsed p;
  ArgCursor c;
  c.argc = argc;
  c.argv = argv;
  c.i = 1;
  c.progname = argc > 0 ? argv[0] : "catsieve";
  c.strict = strict_requested(argc, argv);
  RunConfig& cfg = p.config;
  cfg.request.strict = c.strict;
  for (; c.i < argc && argv[c.i][0] == '-'; ++c.i) {
    const char* word = argv[c.i];
    // "--name=value" is "--name value".
    std::string name = word;
    const char* equals = is_long_option(word) ? std::strchr(word, '=') : nullptr;
    if (equals) {
      name.resize(static_cast<size_t>(equals - word));
      c.inline_value = equals + 1;
    }
    const OptionRow* row = long_option(name.c_str());
    if (!row && is_long_option(word)) {
      fail(c, &p.status, "Option \"%s\" not known", name.c_str());
      return p;
    }
    if (!row && !find_option(c, word, &row, &p.status)) return p;
    if (!start_option(c, *row, &p.status) || !row->handler(c, cfg, &p.status)) {
      p.out = c.out;
      return p;
    }
    if (c.inline_value) {
      errno = 0;
      fail(c, &p.status, "%s takes no value: \"%s\"", name.c_str(), word);
      return p;
    }
  }
  if (!finish_options(c, cfg, &p.status)) return p;
  if (c.strict && !strict_check_options(c, cfg, &p.status)) return p;
  for (; c.i < argc; ++c.i) cfg.request.inputs.push_back(Input::file(argv[c.i]));
  p.run = true;
  return p;
}

}  // namespace catsieve
