// Magnitude-type keywords and preference lists.
#ifndef QUERY_MAGTYPES_H
#define QUERY_MAGTYPES_H

#include <string>

namespace catsieve {

// Type bits of the preference lists.
constexpr int kMagMl = 1;      // ml, mlt
constexpr int kMagMlm = 2;     // mlm, mml
constexpr int kMagMd = 4;      // md, coda
constexpr int kMagMx = 8;      // mx, amp
constexpr int kMagAvg = 16;    // avg
constexpr int kMagMln = 32;    // mln
constexpr int kMagMlb = 64;    // mlb, bm
constexpr int kMagMw = 128;    // mw
constexpr int kMagPref = 256;  // pref

// Slots of a preference list.
constexpr int kMaxMagTypes = 15;

struct MagType {
  const char* keyword;
  int bit;
};

struct MagPrefList {
  int count;
  int list[kMaxMagTypes];
};

// A record's magnitude as a preference walk chose it: its value and type
// bit, and the observations behind it where the format counts them.  Type
// 0 means that no listed type gave a magnitude.  A walk that reached a
// listed type the catalog cannot supply names the catalog in fault.
struct ChosenMag {
  double value = 0.0;
  int type = 0;
  int obs = 0;
  const char* fault = nullptr;
};

extern const MagType magtypes[];

// Appends the comma-separated types of text to the list, at most
// kMaxMagTypes in all; writes into text.  False, with the keyword that is
// none in *bad, on an unknown keyword.
bool parsemag(char* text, MagPrefList& list, std::string* bad);
// The name under which the outputs write a type bit ("ML", "Mw", ...), or
// nullptr for 0.
const char* magtype_name(int bit);

}  // namespace catsieve

#endif
