// Layout detection of the two tarn formats: the first line of the first
// input shows where the hemisphere columns are, and that layout holds for
// the rest of the run.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "catsieve/driver.h"
#include "catsieve/readers.h"
#include "util/quit.h"

namespace catsieve {

const char* const tarn_dir_chars = " NSns+-";

namespace {

// The detector reads the first line with a 200-byte line buffer.
constexpr size_t kFirstLine = 200;

// Whether column col of the line holds a hemisphere character; a column
// past the end of the line holds none.  The set is a C string, whose
// terminator a NUL byte in the line matches.
bool is_dir_char(const Line& l, int col) {
  size_t i = static_cast<size_t>(col - 1);
  return i < l.n && std::strchr(tarn_dir_chars, l.p[i]) != nullptr;
}

bool is_blank(const Line& l, int col) {
  size_t i = static_cast<size_t>(col - 1);
  return i < l.n && l.p[i] == ' ';
}

}  // namespace

void search_tarn_catalog_auto(Stream& s, const Line*, Query& q, Sink& out) {
  Line first;
  const Line* given = nullptr;
  if (input_format == kTarnUnknown) {
    if (!readline(s, kFirstLine, &first)) return;
    given = &first;
    if (is_dir_char(first, 17) && is_dir_char(first, 25))
      input_format = kTarnOld;
    else if (is_dir_char(first, 19) && is_dir_char(first, 27))
      input_format = kTarnY2k;
  }
  switch (input_format) {
    case kTarnY2k:
      search_tarn_catalog2k(s, given, q, out);
      return;
    case kTarnOld:
      search_tarn_catalog(s, given, q, out);
      return;
    default:
      std::fputs("Error: Unable to determine format for tarn_catalog\n", stderr);
      util::quit(1);
  }
}

void search_tarn_mech_auto(Stream& s, const Line*, Query& q, Sink& out) {
  Line first;
  const Line* given = nullptr;
  if (input_format == kMechUnknown) {
    if (!readline(s, kFirstLine, &first)) return;
    given = &first;
    if (is_blank(first, 7) && is_dir_char(first, 21))
      input_format = kMechOld;
    else if (is_blank(first, 9) && is_dir_char(first, 23))
      input_format = kMechY2k;
  }
  switch (input_format) {
    case kMechY2k:
      search_tarn_mech2k(s, given, q, out);
      return;
    case kMechOld:
      search_tarn_mech(s, given, q, out);
      return;
    default:
      std::fputs("Error: Unable to determine format for tarn_mech\n", stderr);
      util::quit(1);
  }
}

}  // namespace catsieve
