// The table of two-dash options.
#include "catsieve/long_options.h"

#include <cstring>

#include "catsieve/sink.h"
#include "catsieve/help.h"
#include "catsieve/strict.h"
#include "catsieve/since_until.h"
#include "util/qerror.h"

namespace catsieve {

const LongOption long_options[] = {
    {"--csv", qcsv, "", "Write the selected events as CSV rows under a header"},
    {"--geojson", qgeojson, "", "Write the selected events as a GeoJSON FeatureCollection"},
    {"--quakeml", qquakeml, "", "Write the selected events as a QuakeML 1.2 document"},
    {"--count", qcount, "", "Write only the number of selected records"},
    {"--strict", qstrict, "", "Report what the classic rules pass over, with status 1"},
    {"--help", qlong_help, "", "Grouped help on standard output"},
    {"--version", qversion, "", "Version on standard output"},
    {"--since", qsince, "time", "Origin times from (yyyy-mm-dd[Thh:mm[:ss[.s]]][Z], UTC)"},
    {"--until", quntil, "time|+offset", "Origin times up to (as --since, or +offset from it)"},
    {nullptr, nullptr, nullptr, nullptr},
};
const int nlong_options = sizeof long_options / sizeof long_options[0] - 1;

void long_option(const char* word) {
  for (int i = 0; i < nlong_options; ++i) {
    if (std::strcmp(long_options[i].name, word) == 0) {
      long_options[i].handler();
      return;
    }
  }
  util::error("Option \"%s\" not known", word);
}

}  // namespace catsieve
