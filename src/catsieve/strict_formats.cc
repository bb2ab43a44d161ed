// The criteria each catalog reader tests, as its record tests read them.
#include "catsieve/strict_formats.h"

#include <cstring>

#include "catsieve/driver.h"
#include "catsieve/query.h"
#include "catsieve/sink.h"
#include "catsieve/strict.h"
#include "catsieve/strict_args.h"

namespace catsieve {

namespace {

enum FormatBit : unsigned {
  kTarn = 1u << 0,       // tarn catalog, both layouts
  kMech = 1u << 1,       // tarn mechanism, both layouts
  kOrvF = 1u << 2,
  kBrimF = 1u << 3,      // brim summary
  kKelpF = 1u << 4,
  kFullBrimF = 1u << 5,  // full brim, tested on its summary line
};
constexpr unsigned kBrims = kBrimF | kFullBrimF;

struct OptionUse {
  const char* option;
  unsigned formats;
};

// Options that only some readers test.  Time, place, depth, magnitude,
// stations, r.m.s., -delta and -polygon are tested by all.
const OptionUse kUses[] = {
    {"-mtype", kTarn | kMech | kOrvF},
    {"-no_mag", kTarn | kMech | kOrvF | kBrims},
    {"-closest", kTarn | kMech | kOrvF | kBrims},
    {"-gap", kTarn | kMech | kOrvF | kBrims},
    {"-quality", kOrvF | kKelpF},
    {"-etype", kTarn | kBrims},
    {"-nmag", kOrvF | kBrims | kKelpF},
    {"-m0", kOrvF},
    {"-nm0", kOrvF},
    {"-errtime", kOrvF | kBrims},
    {"-errlat", kOrvF | kBrims},
    {"-errlon", kOrvF | kBrims},
    {"-errhoriz", kTarn | kMech},
    {"-errdepth", kTarn | kMech | kOrvF | kBrims},
    {"-felt", kTarn | kOrvF | kBrims},
};

// Event-type letters each reader knows; A switches the test off.
const char kTarnLetters[] = "ABEFNQR";
const char kBrimLetters[] = "ABEHNQR";

unsigned format_bit(int format) {
  switch (format) {
    case kTarnUnknown: case kTarnY2k: case kTarnOld: return kTarn;
    case kMechUnknown: case kMechY2k: case kMechOld: return kMech;
    case kOrv: return kOrvF;
    case kBrim: return kBrimF;
    case kKelp: return kKelpF;
    default: return kFullBrimF;
  }
}

}  // namespace

const char* format_keyword(int format) {
  switch (format_bit(format)) {
    case kTarn: return "tarn";
    case kMech: return "mech";
    case kOrvF: return "orv";
    case kBrimF: return "brim";
    case kKelpF: return "kelp";
    default: return "f_brim";
  }
}

bool format_tests(int format, const char* option) {
  for (const OptionUse& u : kUses)
    if (std::strcmp(u.option, option) == 0) return (u.formats & format_bit(format)) != 0;
  return true;
}

void strict_check_options(const Query& q, const Sink& out) {
  if (!strict_mode) return;
  const char* format = format_keyword(input_format);
  for (const OptionUse& u : kUses)
    if (strict_option_given(u.option) && !format_tests(input_format, u.option))
      strict_bad_argument("%s has no effect on the %s format", u.option, format);
  // -mtype also chooses the magnitude that the event forms write.
  bool described = out.form != OutputForm::kRecords && out.form != OutputForm::kCount;
  if (strict_option_given("-mtype") && !q.mag.on && !described)
    strict_bad_argument("-mtype has no effect without -magnitude");
  if (strict_option_given("-no_mag") && !q.mag.on)
    strict_bad_argument("-no_mag has no effect without -magnitude");
  if (input_format == kOrv && q.nmag.on && !q.mag.on)
    strict_bad_argument("-nmag needs -magnitude on the orv format");
  if (strict_option_given("-etype") && q.etypes.empty())
    strict_bad_argument("-etype without a letter: no record would pass");
  if (strict_option_given("-quality") && q.quals.empty())
    strict_bad_argument("-quality without a letter: no record would pass");
  if (strict_option_given("-etype")) {
    const char* letters = format_bit(input_format) == kTarn ? kTarnLetters : kBrimLetters;
    for (char c : q.etypes)
      if (!std::strchr(letters, c))
        strict_bad_argument("-etype letter \"%c\" is no event type of the %s format", c, format);
  }
}

}  // namespace catsieve
