// The catalog formats, one row each: the -format keyword, the reader, the
// variable of the installed catalog, the default magnitude preference list
// and the event-type letters.
#ifndef READERS_FORMATS_H
#define READERS_FORMATS_H

#include <string>

#include "inputs/stream.h"
#include "query/magtypes.h"
#include "readers/record_cycle.h"
#include "readers/run_state.h"
#include "util/status.h"

namespace catsieve {

// Format and layout codes: a tarn format's layout is settled by the first
// line of the first input.
enum InputFormat {
  kTarnUnknown = 0,
  kTarnY2k = 1,
  kTarnOld = 2,
  kMechUnknown = 3,
  kMechY2k = 4,
  kMechOld = 5,
  kOrv = 6,
  kBrim = 7,
  kKelp = 8,
  kFullBrim = 9,
};

// A bit for each format, in the sets of formats that test an option.
enum FormatBit : unsigned {
  kTarnBit = 1u << 0,  // tarn catalog, both layouts
  kMechBit = 1u << 1,  // tarn mechanism, both layouts
  kOrvBit = 1u << 2,
  kBrimBit = 1u << 3,  // brim summary
  kKelpBit = 1u << 4,
  kFullBrimBit = 1u << 5,  // full brim, tested on its summary line
};

struct FormatRow {
  const char* keyword;  // the -format word
  unsigned bit;
  int code;  // its code before any input is read
  // Reads an input to its end; an error ends the run.
  util::Status (*read)(Stream& s, RunState& st);
  const char* catalog_key;  // the variable naming its installed catalog
  MagPrefList mags;         // the preference list when -mtype gives none
  const EtypeGroup* etypes;  // the letters of -etype, none when it has no types
  // The magnitude types its records can give (bits of the preference
  // lists); 0 for a format whose magnitude carries no type.
  unsigned magtypes;
};

extern const FormatRow kFormats[];
extern const int kFormatCount;

// The row of a format or layout code.
const FormatRow& format_row(int code);
// Why the format cannot give the magnitude types of a preference list
// ("the kelp format's magnitudes carry no type", "the orv format has no md
// magnitude"), or "" when it can give each.
std::string magtypes_missing(const FormatRow& f, const MagPrefList& mags);
// The row that a -format word names, in either case (vesper names tarn);
// null when none does.
const FormatRow* format_named(const char* word);

}  // namespace catsieve

#endif
