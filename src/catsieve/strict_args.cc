// Strict checks of the words that the option handlers read.
#include "catsieve/strict_args.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>

#include "catsieve/args.h"
#include "catsieve/geo.h"
#include "catsieve/strict.h"
#include "util/calendar.h"
#include "util/cmd_opt.h"
#include "util/qerror.h"

namespace catsieve {

namespace {

constexpr double kMaxLatitude = 90;
constexpr double kMaxLongitude = 180;
constexpr double kSexagesimal = 60;  // minutes in a degree, seconds in a minute
constexpr int kGregorian = 1;
constexpr int kMaxHour = 23;
constexpr int kMaxMinute = 59;
constexpr int kMaxMagTypes = 15;  // slots of a preference list
constexpr int kDateDigits = 14;

// Options whose bounds are counts: the classic rules cut a fraction off.
const char* const kCountOptions[] = {"-nstations", "-nmag", "-nm0"};

std::set<std::string> options_seen;
// Angle words read so far by the current option.
int angle_words = 0;

bool is_digit(char c) { return c >= '0' && c <= '9'; }

// Reads digits with at most one point and at least one digit, as one part
// of an angle; false when there is none.
bool angle_part(const char** p, double* value) {
  const char* s = *p;
  const char* start = s;
  int digits = 0;
  while (is_digit(*s)) ++s, ++digits;
  if (*s == '.') ++s;
  while (is_digit(*s)) ++s, ++digits;
  if (digits == 0) return false;
  *value = std::atof(std::string(start, s).c_str());
  *p = s;
  return true;
}

// The value of an angle word, or false when it is not d[:m[:s]] with an
// optional sign and minutes and seconds below 60.
bool parse_angle(const char* word, double* value) {
  double sign;
  const char* p = angle_sign(word, &sign);
  double part[3] = {0, 0, 0};
  int n = 0;
  for (;;) {
    if (!angle_part(&p, &part[n])) return false;
    ++n;
    if (*p == '\0') break;
    if (*p != ':' || n == 3) return false;
    ++p;
  }
  if (part[1] >= kSexagesimal || part[2] >= kSexagesimal) return false;
  *value = sign * (part[0] + (part[1] + part[2] / kSexagesimal) / kSexagesimal);
  return true;
}

// Whether the current option's next angle word is a latitude: the words of
// -latitude are, and every other one of -delta and -polygon, starting with
// the first.
bool is_latitude() {
  std::string option = strict_option();
  bool lat = option == "-latitude" || (option != "-longitude" && angle_words % 2 == 0);
  ++angle_words;
  return lat;
}

int field(const char* word, int from, int width) {
  return std::atoi(std::string(word + from, static_cast<size_t>(width)).c_str());
}

// What is left after the offset of a date word, which the classic reading
// has already accepted up to its last unit letter.
const char* after_offset(const char* p) {
  if (*p == '\0') return p;
  ++p;  // the sign
  while (is_digit(*p) || *p == '.') {
    while (is_digit(*p)) ++p;
    if (*p == '.') ++p;
    while (is_digit(*p)) ++p;
    ++p;  // the unit letter
  }
  return p;
}

}  // namespace

void strict_check_number(const char* word) {
  char* end = nullptr;
  double v = std::strtod(word, &end);
  if (*word == '\0' || *end != '\0' || !std::isfinite(v))
    strict_bad_argument("bad number \"%s\" for %s", word, strict_option());
  for (const char* count : kCountOptions)
    if (std::strcmp(strict_option(), count) == 0 && v != std::trunc(v))
      strict_bad_argument("%s counts in whole numbers, not \"%s\"", count, word);
}

void strict_check_angle(const char* word) {
  if (!strict_mode) return;
  bool lat = is_latitude();
  double v;
  if (!parse_angle(word, &v))
    strict_bad_argument("bad angle \"%s\" for %s (degrees d[:m[:s]], west and south negative)",
                        word, strict_option());
  if (lat && std::fabs(v) > kMaxLatitude)
    strict_bad_argument("latitude %s for %s is beyond 90 degrees", word, strict_option());
  if (!lat && std::fabs(v) > kMaxLongitude)
    strict_bad_argument("longitude %s for %s is beyond 180 degrees", word, strict_option());
}

void strict_check_time(const char* word) {
  if (!strict_mode) return;
  int year = field(word, 0, 4);
  int month = field(word, 4, 2);
  int day = field(word, 6, 2);
  if (int bad = util::ckdate(year, month, day, kGregorian))
    strict_bad_argument("bad time \"%s\" for %s: %s", word, strict_option(), util::ermsg(bad));
  double seconds = std::atof(word + 12);
  if (field(word, 8, 2) > kMaxHour || field(word, 10, 2) > kMaxMinute || seconds >= kSexagesimal)
    strict_bad_argument("bad time \"%s\" for %s: Illegal time of day", word, strict_option());
  const char* p = word + kDateDigits;
  if (*p == '.') {
    ++p;
    while (is_digit(*p)) ++p;
  }
  if (*after_offset(p) != '\0')
    strict_bad_argument("bad time \"%s\" for %s: text after the offset", word, strict_option());
}

void strict_check_polygon() {
  if (!strict_mode) return;
  int words = 0;
  for (int i = util::iarg + 1; i < util::eargc && isangle(util::eargv[i]); ++i) ++words;
  if (words % 2 != 0)
    strict_bad_argument("-polygon needs pairs of latitude and longitude, not %d values", words);
  if (words > 2 * kMaxVertices)
    strict_bad_argument("-polygon takes at most %d vertices, not %d", kMaxVertices, words / 2);
}

void strict_check_mtype(const char* text, int listed) {
  if (!strict_mode || !text || !*text) return;
  int n = 1;
  for (const char* c = std::strchr(text, ','); c; c = std::strchr(c + 1, ','))
    if (c[1] != '\0') ++n;
  if (listed + n > kMaxMagTypes)
    strict_bad_argument("-mtype lists more than %d magnitude types", kMaxMagTypes);
}

void strict_note_option(const char* name) {
  angle_words = 0;
  // Successive -mtype lists add up; every other option replaces.
  bool may_repeat = std::strcmp(name, "-mtype") == 0 || std::strcmp(name, kStrictWord) == 0;
  if (!may_repeat && options_seen.count(name))
    strict_bad_argument("%s given more than once: the last one would count", name);
  options_seen.insert(name);
}

bool strict_option_given(const char* name) { return options_seen.count(name) != 0; }

void strict_forget_options() {
  options_seen.clear();
  angle_words = 0;
}

}  // namespace catsieve
