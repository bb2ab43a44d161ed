// Strict checks of the words that the option handlers read, and of the
// options against the format.
#include "cli/strict_checks.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

#include "cli/angle_words.h"
#include "cli/options.h"
#include "outputs/forms.h"
#include "readers/formats.h"
#include "util/calendar.h"
#include "util/error_text.h"

namespace catsieve {

const char* const kStrictWord = "--strict";

namespace {

constexpr double kSexagesimal = 60;  // minutes in a degree, seconds in a minute
constexpr int kGregorian = 1;
constexpr int kMaxHour = 23;
constexpr int kMaxMinute = 59;
constexpr int kDateDigits = 14;

// Options whose bounds are counts: the classic rules cut a fraction off.
const char* const kCountOptions[] = {"-nstations", "-nmag", "-nm0"};

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
bool is_latitude(ArgCursor& c) {
  ArgKind kind = c.row->kind;
  bool lat =
      kind == ArgKind::kLatitudes || (kind != ArgKind::kLongitudes && c.angle_words % 2 == 0);
  ++c.angle_words;
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

bool strict_check_number(const ArgCursor& c, const char* word, util::Status* err) {
  char* end = nullptr;
  double v = std::strtod(word, &end);
  const char* option = c.option.c_str();
  if (*word == '\0' || *end != '\0' || !std::isfinite(v))
    return strict_fail(c, err, "bad number \"%s\" for %s", word, option);
  for (const char* count : kCountOptions)
    if (std::strcmp(option, count) == 0 && v != std::trunc(v))
      return strict_fail(c, err, "%s counts in whole numbers, not \"%s\"", count, word);
  return true;
}

bool strict_check_angle(ArgCursor& c, const char* word, util::Status* err) {
  bool lat = is_latitude(c);
  double v;
  const char* option = c.option.c_str();
  if (!parse_angle(word, &v))
    return strict_fail(c, err,
                       "bad angle \"%s\" for %s (degrees d[:m[:s]], west and south negative)",
                       word, option);
  if (lat && std::fabs(v) > kMaxLatitude)
    return strict_fail(c, err, "latitude %s for %s is beyond 90 degrees", word, option);
  if (!lat && std::fabs(v) > kMaxLongitude)
    return strict_fail(c, err, "longitude %s for %s is beyond 180 degrees", word, option);
  return true;
}

bool strict_check_time(const ArgCursor& c, const char* word, util::Status* err) {
  int year = field(word, 0, 4);
  int month = field(word, 4, 2);
  int day = field(word, 6, 2);
  const char* option = c.option.c_str();
  if (int bad = util::ckdate(year, month, day, kGregorian))
    return strict_fail(c, err, "bad time \"%s\" for %s: %s", word, option,
                       util::error_text(bad).c_str());
  double seconds = std::atof(word + 12);
  if (field(word, 8, 2) > kMaxHour || field(word, 10, 2) > kMaxMinute || seconds >= kSexagesimal)
    return strict_fail(c, err, "bad time \"%s\" for %s: Illegal time of day", word, option);
  const char* p = word + kDateDigits;
  if (*p == '.') {
    ++p;
    while (is_digit(*p)) ++p;
  }
  if (*after_offset(p) != '\0')
    return strict_fail(c, err, "bad time \"%s\" for %s: text after the offset", word, option);
  return true;
}

bool strict_check_polygon(const ArgCursor& c, util::Status* err) {
  int words = 0;
  for (int i = c.i + 1; i < c.argc && isangle(c.argv[i]); ++i) ++words;
  if (words % 2 != 0)
    return strict_fail(c, err, "-polygon needs pairs of latitude and longitude, not %d values",
                       words);
  if (words > 2 * kMaxVertices)
    return strict_fail(c, err, "-polygon takes at most %d vertices, not %d", kMaxVertices,
                       words / 2);
  return true;
}

bool strict_check_mtype(const ArgCursor& c, const char* text, int listed, util::Status* err) {
  if (!text || !*text) return true;
  int n = 1;
  for (const char* comma = std::strchr(text, ','); comma; comma = std::strchr(comma + 1, ','))
    if (comma[1] != '\0') ++n;
  if (listed + n > kMaxMagTypes)
    return strict_fail(c, err, "-mtype lists more than %d magnitude types", kMaxMagTypes);
  return true;
}

bool strict_note_option(ArgCursor& c, util::Status* err) {
  c.angle_words = 0;
  // Successive -mtype lists add up; every other option replaces.
  bool may_repeat = c.row->kind == ArgKind::kTypes || c.option == kStrictWord;
  if (!may_repeat && c.seen.count(c.option))
    return strict_fail(c, err, "%s given more than once: the last one would count",
                       c.option.c_str());
  c.seen.insert(c.option);
  return true;
}

bool strict_check_options(const ArgCursor& c, const RunConfig& cfg, util::Status* err) {
  const Query& q = cfg.query;
  const FormatRow& f = format_row(cfg.request.format);
  const char* format = f.keyword;
  for (const OptionRow& row : classic_rows()) {
    std::string name = row.name;
    name.erase(name.find_last_not_of(' ') + 1);
    if (row.formats && !(row.formats & f.bit) && c.seen.count(name))
      return strict_fail(c, err, "%s has no effect on the %s format", name.c_str(), format);
  }
  // -mtype also chooses the magnitude that the event forms write.
  const Form* form = cfg.request.form;
  bool described = form && form->kind == FormKind::kEvents;
  bool mag_test = q.on(Crit::kMag) || q.fdsn.mag.on();
  if (c.seen.count("-mtype") && !mag_test && !described)
    return strict_fail(c, err, "-mtype has no effect without -magnitude");
  // The two-dash options that another one gives their effect.
  const char* form_name = form ? form->name : "";
  bool csv = std::strcmp(form_name, "csv") == 0, text = std::strcmp(form_name, "text") == 0;
  if (c.seen.count("--columns") && !csv)
    return strict_fail(c, err, "--columns has no effect without --csv");
  if (c.seen.count("--missing") && !csv && !text)
    return strict_fail(c, err, "--missing has no effect without --csv or --text");
  if (c.seen.count("--authority") && !text && std::strcmp(form_name, "quakeml") != 0)
    return strict_fail(c, err, "--authority has no effect without --quakeml or --text");
  bool radius = q.fdsn.ring.on;
  for (const char* centre : {"--latitude", "--longitude"})
    if (c.seen.count(centre) && !radius)
      return strict_fail(c, err, "%s has no effect without a radius (--maxradius, ...)", centre);
  if (c.seen.count("-no_mag") && !q.on(Crit::kMag))
    return strict_fail(c, err, "-no_mag has no effect without -magnitude");
  if (f.bit == kOrvBit && q.on(Crit::kNmag) && !q.on(Crit::kMag))
    return strict_fail(c, err, "-nmag needs -magnitude on the orv format");
  if (c.seen.count("-etype") && q.etypes.empty())
    return strict_fail(c, err, "-etype without a letter: no record would pass");
  if (c.seen.count("-quality") && q.quals.empty())
    return strict_fail(c, err, "-quality without a letter: no record would pass");
  if (c.seen.count("-etype")) {
    // The letters of the format's groups, and A, which takes them all.
    std::string letters = "A";
    for (const EtypeGroup* g = f.etypes; g && g->letter; ++g) letters += g->letter;
    for (char ch : q.etypes)
      if (letters.find(ch) == std::string::npos)
        return strict_fail(c, err, "-etype letter \"%c\" is no event type of the %s format", ch,
                           format);
  }
  return true;
}

}  // namespace catsieve
