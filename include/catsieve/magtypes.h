// Magnitude-type keywords, preference lists and the per-format defaults.
#ifndef CATSIEVE_MAGTYPES_H
#define CATSIEVE_MAGTYPES_H

namespace catsieve {

// Type bits of the preference lists.
constexpr int kMagMl = 1;     // ml, mlt
constexpr int kMagMlm = 2;    // mlm, mml
constexpr int kMagMd = 4;     // md, coda
constexpr int kMagMx = 8;     // mx, amp
constexpr int kMagAvg = 16;   // avg
constexpr int kMagMln = 32;   // mln
constexpr int kMagMlb = 64;   // mlb, bm
constexpr int kMagMw = 128;   // mw
constexpr int kMagPref = 256; // pref

struct MagType {
  const char* keyword;
  int bit;
};

struct MagPrefList {
  int count;
  int list[15];
};

// A record's magnitude as a preference walk chose it: its value and type
// bit, and the observations behind it where the format counts them.  Type
// 0 means that no listed type gave a magnitude.
struct ChosenMag {
  double value = 0.0;
  int type = 0;
  int obs = 0;
};

extern const MagType magtypes[];
extern const MagPrefList tarn_catalog_mags;
extern const MagPrefList tarn_mech_mags;
extern const MagPrefList orv_catalog_mags;

void qmtype();
// Appends the comma-separated types of text to the list; writes into text.
int parsemag(char* text, MagPrefList& list);
// The default list of a format code.
MagPrefList default_mags(int format);
// The name under which the outputs write a type bit ("ML", "Mw", ...), or
// nullptr for 0.
const char* magtype_name(int bit);

// Ends the run for a listed type that the format cannot supply; on a thread
// that has deferred it (one formatting events, which leaves ending the run
// to the main thread) it throws MagUnavailable instead.
[[noreturn]] void mag_not_available(const char* catalog);
struct MagUnavailable {
  const char* catalog;
};
// Sets whether this thread defers, and gives the setting before.
bool defer_mag_unavailable(bool on);

}  // namespace catsieve

#endif
