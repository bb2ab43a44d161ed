// Magnitude-type keywords and preference lists.  A list names types in
// order of preference; a record's magnitude is the first listed type that
// the record carries.
#include "query/magtypes.h"

#include <strings.h>

#include <cstring>

namespace catsieve {

const MagType magtypes[] = {
    {"pref", kMagPref}, {"ml", kMagMl},   {"mlt", kMagMl},  {"mln", kMagMln}, {"mlm", kMagMlm},
    {"mlb", kMagMlb},   {"md", kMagMd},   {"mx", kMagMx},   {"avg", kMagAvg}, {"mw", kMagMw},
    {"bm", kMagMlb},    {"amp", kMagMx},  {"coda", kMagMd}, {"mml", kMagMlm}, {nullptr, 0},
};

bool parsemag(char* text, MagPrefList& mags, std::string* bad) {
  if (!text || !*text) return true;
  while (mags.count < kMaxMagTypes) {
    char* comma = std::strchr(text, ',');
    if (comma) *comma = '\0';
    const MagType* t = magtypes;
    while (t->keyword && strcasecmp(t->keyword, text) != 0) ++t;
    if (!t->keyword) {
      *bad = text;
      return false;
    }
    mags.list[mags.count++] = t->bit;
    if (!comma || comma[1] == '\0') break;
    text = comma + 1;
  }
  return true;
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

}  // namespace catsieve
