// The origin-time interval from --since and --until.
#include "catsieve/since_until.h"

#include <cerrno>
#include <cmath>

#include "catsieve/args.h"
#include "catsieve/iso_time.h"
#include "catsieve/query.h"
#include "util/cmd_opt.h"
#include "util/qerror.h"

namespace catsieve {

namespace {

// What a date-time word looks like, for the messages.
constexpr char kIsoForm[] = "yyyy-mm-dd[Thh:mm[:ss[.s]]][Z] in UTC, e.g. 1995-02-14T03:21:07";

// Which options have given the interval so far.
bool classic_given, since_given, until_given;
double since_value;

// A message about word, and after it the form of a date-time where the
// format asks for it.  No system call failed.
[[noreturn]] void word_error(const char* format, const char* word) {
  errno = 0;
  util::error(format, word, kIsoForm);
}

void no_mixing() {
  if (!classic_given) return;
  errno = 0;
  util::error("-time cannot be combined with --since or --until: use either, e.g. "
              "-time 19950214000000 19950301000000 or --since 1995-02-14 --until 1995-03-01");
}

const char* word_of(const char* option) {
  if (!util::peekarg()) word_error("%s needs a date-time %s", option);
  return util::aarg();
}

// Both ends given: the same check as -time's.
void set_interval() {
  Bounds<double>& t = building_query().otime;
  if (since_given && until_given) dcheck(t.min, t.max, "time");
  t.on = true;
}

}  // namespace

void qsince() {
  no_mixing();
  const char* word = word_of("--since");
  if (!iso_time(word, &since_value))
    word_error("--since \"%s\": expected a date-time %s", word);
  Bounds<double>& t = building_query().otime;
  t.min = since_value;
  if (!until_given) t.max = HUGE_VAL;
  since_given = true;
  set_interval();
}

void quntil() {
  no_mixing();
  const char* word = word_of("--until");
  Bounds<double>& t = building_query().otime;
  if (word[0] == '+' || word[0] == '-') {
    if (!since_given)
      word_error("--until \"%s\": an offset counts from --since, which must come before it, "
                 "e.g. --since 1995-02-14 --until +30d", word);
    t.max = since_value + offset(word);
  } else if (!iso_time(word, &t.max)) {
    word_error("--until \"%s\": expected a date-time %s, or an offset from --since such as +30d",
               word);
  }
  if (!since_given) t.min = -HUGE_VAL;
  until_given = true;
  set_interval();
}

void classic_time_given() {
  classic_given = true;
  if (since_given || until_given) no_mixing();
}

void reset_since_until() {
  classic_given = since_given = until_given = false;
  since_value = 0;
}

}  // namespace catsieve
