// Magnitude-type keywords, preference lists and the per-format defaults.
#ifndef CATSIEVE_MAGTYPES_H
#define CATSIEVE_MAGTYPES_H

namespace catsieve {

struct MagType {
  const char* keyword;
  int bit;
};

struct MagPrefList {
  int count;
  int list[15];
};

extern const MagType magtypes[];
extern MagPrefList mags;
extern const MagPrefList tarn_catalog_mags;
extern const MagPrefList tarn_mech_mags;
extern const MagPrefList orv_catalog_mags;

void qmtype();
// Appends the comma-separated types of text to mags; writes into text.
int parsemag(char* text);
// Copies the default list of a format code into mags.
void set_def_mags(int format);

// Ends the run for a listed type that the format cannot supply.
[[noreturn]] void mag_not_available(const char* catalog);

}  // namespace catsieve

#endif
