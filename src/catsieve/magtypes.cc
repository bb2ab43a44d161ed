// Magnitude-type keywords and preference lists.  A list names types in
// order of preference; a record's magnitude is the first listed type that
// the record carries.
#include "catsieve/magtypes.h"

#include <strings.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "catsieve/driver.h"
#include "catsieve/strict_args.h"
#include "util/cmd_opt.h"
#include "util/quit.h"

namespace catsieve {

const MagType magtypes[] = {
    {"pref", 256}, {"ml", 1},  {"mlt", 1}, {"mln", 32},  {"mlm", 2},
    {"mlb", 64},   {"md", 4},  {"mx", 8},  {"avg", 16},  {"mw", 128},
    {"bm", 64},    {"amp", 8}, {"coda", 4}, {"mml", 2},  {nullptr, 0},
};

MagPrefList mags;
const MagPrefList tarn_catalog_mags = {6, {256, 128, 2, 1, 4, 8}};
const MagPrefList tarn_mech_mags = {1, {16}};
const MagPrefList orv_catalog_mags = {4, {128, 32, 1, 64}};

void qmtype() {
  char* text = util::aarg();
  strict_check_mtype(text, mags.count);
  parsemag(text);
}

int parsemag(char* text) {
  if (!text || !*text) return 1;
  while (mags.count < 15) {
    char* comma = std::strchr(text, ',');
    if (comma) *comma = '\0';
    const MagType* t = magtypes;
    while (t->keyword && strcasecmp(t->keyword, text) != 0) ++t;
    if (!t->keyword) {
      std::fprintf(stderr, "invalid magtype: %s\n", text);
      util::quit(1);
    }
    mags.list[mags.count++] = t->bit;
    if (!comma || comma[1] == '\0') break;
    text = comma + 1;
  }
  return 1;
}

void set_def_mags(int format) {
  switch (format) {
    case kTarnUnknown: case kTarnY2k: case kTarnOld:
      mags = tarn_catalog_mags;
      break;
    case kMechUnknown: case kMechY2k: case kMechOld:
      mags = tarn_mech_mags;
      break;
    case kOrv:
      mags = orv_catalog_mags;
      break;
    case kBrim: case kKelp: case kFullBrim:
      break;
    default:
      std::fputs("unknown magnitude pref list for this format\n", stderr);
      util::quit(1);
  }
}

void mag_not_available(const char* catalog) {
  std::fprintf(stderr, "Specified magnitude not available for %s\n", catalog);
  util::quit(1);
}

}  // namespace catsieve
