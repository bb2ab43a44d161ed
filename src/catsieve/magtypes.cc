// Magnitude-type keywords and preference lists.  A list names types in
// order of preference; a record's magnitude is the first listed type that
// the record carries.
#include "catsieve/magtypes.h"

#include <strings.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "catsieve/driver.h"
#include "catsieve/query.h"
#include "catsieve/strict_args.h"
#include "util/cmd_opt.h"
#include "util/quit.h"

namespace catsieve {

const MagType magtypes[] = {
    {"pref", kMagPref}, {"ml", kMagMl},   {"mlt", kMagMl},  {"mln", kMagMln}, {"mlm", kMagMlm},
    {"mlb", kMagMlb},   {"md", kMagMd},   {"mx", kMagMx},   {"avg", kMagAvg}, {"mw", kMagMw},
    {"bm", kMagMlb},    {"amp", kMagMx},  {"coda", kMagMd}, {"mml", kMagMlm}, {nullptr, 0},
};

const MagPrefList tarn_catalog_mags = {6, {kMagPref, kMagMw, kMagMlm, kMagMl, kMagMd, kMagMx}};
const MagPrefList tarn_mech_mags = {1, {kMagAvg}};
const MagPrefList orv_catalog_mags = {4, {kMagMw, kMagMln, kMagMl, kMagMlb}};

void qmtype() {
  char* text = util::aarg();
  MagPrefList& mags = building_query().mags;
  strict_check_mtype(text, mags.count);
  parsemag(text, mags);
}

int parsemag(char* text, MagPrefList& mags) {
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

MagPrefList default_mags(int format) {
  switch (format) {
    case kTarnUnknown: case kTarnY2k: case kTarnOld:
      return tarn_catalog_mags;
    case kMechUnknown: case kMechY2k: case kMechOld:
      return tarn_mech_mags;
    case kOrv:
      return orv_catalog_mags;
    case kBrim: case kKelp: case kFullBrim:
      return MagPrefList{0, {}};
    default:
      std::fputs("unknown magnitude pref list for this format\n", stderr);
      util::quit(1);
  }
}

const char* magtype_name(int bit) {
  switch (bit) {
    case kMagMl: return "ML";
    case kMagMlm: return "MLm";
    case kMagMd: return "Md";
    case kMagMx: return "Mx";
    case kMagAvg: return "Mavg";
    case kMagMln: return "MLn";
    case kMagMlb: return "mb";
    case kMagMw: return "Mw";
    case kMagPref: return "M";
    default: return nullptr;
  }
}

namespace {
thread_local bool deferred = false;
}  // namespace

bool defer_mag_unavailable(bool on) {
  bool before = deferred;
  deferred = on;
  return before;
}

void mag_not_available(const char* catalog) {
  if (deferred) throw MagUnavailable{catalog};
  std::fprintf(stderr, "Specified magnitude not available for %s\n", catalog);
  util::quit(1);
}

}  // namespace catsieve
