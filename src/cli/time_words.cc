// Date words of -time, --since and --until.
#include "cli/time_words.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "query/iso_time.h"
#include "cli/strict_checks.h"
#include "util/calendar.h"

namespace catsieve {

namespace {

// What a date-time word looks like, for the messages.
constexpr char kIsoForm[] =
    "yyyy-mm-dd[Thh:mm[:ss[.s]]] in UTC, with an optional Z or an offset such as +01:00";
constexpr int kDateDigits = 14;

bool is_digit(char c) { return c >= '0' && c <= '9'; }

int digits_at(const char* word, int from, int width) {
  char buf[8];
  std::memcpy(buf, word + from, width);
  buf[width] = '\0';
  return std::atoi(buf);
}

// Steps past digits, one point and the digits after it.
const char* skip_number(const char* p) {
  while (is_digit(*p)) ++p;
  if (*p == '.') ++p;
  while (is_digit(*p)) ++p;
  return p;
}

double unit_seconds(char c) {
  switch (c) {
    case 'd': case 'D': return 86400;
    case 'h': case 'H': return 3600;
    case 'm': case 'M': return 60;
    case 's': case 'S': return 1;
    default: return 0;
  }
}

// A message about word, and after it the form of a date-time where the
// format asks for it.  No system call failed.
bool word_error(const ArgCursor& c, util::Status* err, const char* format, const char* word) {
  errno = 0;
  return fail(c, err, format, word, kIsoForm);
}

bool no_mixing(const ArgCursor& c, util::Status* err) {
  if (!c.classic_time) return true;
  errno = 0;
  return fail(c, err,
              "-time cannot be combined with --since or --until: use either, e.g. "
              "-time 19950214000000 19950301000000 or --since 1995-02-14 --until 1995-03-01");
}

bool word_of(ArgCursor& c, const char* option, const char** word, util::Status* err) {
  if (!peek_word(c)) return word_error(c, err, "%s needs a date-time %s", option);
  return next_word(c, err, word);
}

// Both ends given: the same check as -time's.
bool set_interval(const ArgCursor& c, RunConfig& cfg, util::Status* err) {
  Bounds<double>& t = cfg.query.otime;
  if (c.since_given && c.until_given && t.min > t.max)
    return fail(c, err, "minimum %s value greater than maximum", "time");
  t.on = true;
  return true;
}

}  // namespace

bool epoch(ArgCursor& c, const char* word, double* t, util::Status* err) {
  int n = 0;
  while (is_digit(word[n])) ++n;
  if (n != kDateDigits) return fail(c, err, "Bad date format: \"%s\"", word);
  int year = digits_at(word, 0, 4);
  int month = digits_at(word, 4, 2);
  int day = digits_at(word, 6, 2);
  int hour = digits_at(word, 8, 2);
  int minute = digits_at(word, 10, 2);
  double seconds = std::atof(word + 12);
  const char* rest = word + kDateDigits;
  if (*rest == '.') {
    ++rest;
    while (is_digit(*rest)) ++rest;
  }
  double shift;
  if (!offset(c, rest, &shift, err)) return false;
  *t = util::timvar(year, month, day, hour, minute, seconds, 1) + shift;
  return !c.strict || strict_check_time(c, word, err);
}

bool offset(const ArgCursor& c, const char* text, double* seconds, util::Status* err) {
  *seconds = 0;
  if (*text == '\0') return true;
  double sign;
  if (*text == '+') {
    sign = 1;
  } else if (*text == '-') {
    sign = -1;
  } else {
    return fail(c, err, "Illegal sign character \"%c\"", *text);
  }
  const char* p = text + 1;
  double total = 0;
  while (is_digit(*p) || *p == '.') {
    double number = std::atof(p);
    p = skip_number(p);
    double unit = unit_seconds(*p);
    if (unit == 0) return fail(c, err, "Bad time offset unit \"%c\"", *p);
    total += number * unit;
    ++p;
  }
  *seconds = sign * total;
  return true;
}

bool qtime(ArgCursor& c, RunConfig& cfg, util::Status* err) {
  c.classic_time = true;
  if ((c.since_given || c.until_given) && !no_mixing(c, err)) return false;
  Bounds<double>& t = cfg.query.otime;
  const char* word;
  if (!next_word(c, err, &word) || !epoch(c, word, &t.min, err)) return false;
  if (!next_word(c, err, &word) || !epoch(c, word, &t.max, err)) return false;
  if (t.min > t.max) return fail(c, err, "minimum %s value greater than maximum", "time");
  t.on = true;
  return true;
}

bool qsince(ArgCursor& c, RunConfig& cfg, util::Status* err) {
  const char* word;
  if (!no_mixing(c, err) || !word_of(c, "--since", &word, err)) return false;
  if (!iso_time(word, &c.since_value))
    return word_error(c, err, "--since \"%s\": expected a date-time %s", word);
  Bounds<double>& t = cfg.query.otime;
  t.min = c.since_value;
  if (!c.until_given) t.max = HUGE_VAL;
  c.since_given = true;
  return set_interval(c, cfg, err);
}

bool quntil(ArgCursor& c, RunConfig& cfg, util::Status* err) {
  const char* word;
  if (!no_mixing(c, err) || !word_of(c, "--until", &word, err)) return false;
  Bounds<double>& t = cfg.query.otime;
  if (word[0] == '+' || word[0] == '-') {
    if (!c.since_given)
      return word_error(c, err,
                        "--until \"%s\": an offset counts from --since, which must come before "
                        "it, e.g. --since 1995-02-14 --until +30d",
                        word);
    double shift;
    if (!offset(c, word, &shift, err)) return false;
    t.max = c.since_value + shift;
  } else if (!iso_time(word, &t.max)) {
    return word_error(c, err,
                      "--until \"%s\": expected a date-time %s, or an offset from --since such "
                      "as +30d",
                      word);
  }
  if (!c.since_given) t.min = -HUGE_VAL;
  c.until_given = true;
  return set_interval(c, cfg, err);
}

}  // namespace catsieve
