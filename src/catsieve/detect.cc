// Layout detection of the two tarn formats: the first line of the first
// input shows where the hemisphere columns are, and that layout holds for
// the rest of the run.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "catsieve/driver.h"
#include "catsieve/readers.h"
#include "catsieve/strict.h"
#include "util/quit.h"

namespace catsieve {

const char* const tarn_dir_chars = " NSns+-";

namespace {

// The detector reads the first line with a 200-byte line buffer.
constexpr size_t kFirstLine = 200;

// Whether column col of the line holds a hemisphere character: exactly the
// seven of tarn_dir_chars, so a NUL byte is none; a column past the end of
// the line holds none.
bool is_dir_char(const Line& l, int col) {
  size_t i = static_cast<size_t>(col - 1);
  return i < l.n && l.p[i] != '\0' && std::strchr(tarn_dir_chars, l.p[i]) != nullptr;
}

bool is_blank(const Line& l, int col) {
  size_t i = static_cast<size_t>(col - 1);
  return i < l.n && l.p[i] == ' ';
}

int tarn_catalog_layout(const Line& first) {
  if (is_dir_char(first, 17) && is_dir_char(first, 25)) return kTarnOld;
  if (is_dir_char(first, 19) && is_dir_char(first, 27)) return kTarnY2k;
  return kTarnUnknown;
}

int tarn_mech_layout(const Line& first) {
  if (is_blank(first, 7) && is_dir_char(first, 21)) return kMechOld;
  if (is_blank(first, 9) && is_dir_char(first, 23)) return kMechY2k;
  return kMechUnknown;
}

// Under --strict every input's first line is examined: an input of another
// layout than the first is reported and not read.
bool strict_layout_ok(int layout, int old_layout) {
  if (layout == input_format) return true;
  strict_wrong_layout(input_format == old_layout ? "old" : "Y2K");
  return false;
}

}  // namespace

void search_tarn_catalog_auto(Stream& s, const Line*, Query& q, Sink& out) {
  Line first;
  const Line* given = nullptr;
  if (input_format == kTarnUnknown) {
    if (!readline(s, kFirstLine, &first)) return;
    given = &first;
    input_format = tarn_catalog_layout(first);
  } else if (strict_mode && readline(s, kFirstLine, &first)) {
    given = &first;
    if (!strict_layout_ok(tarn_catalog_layout(first), kTarnOld)) return;
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
    input_format = tarn_mech_layout(first);
  } else if (strict_mode && readline(s, kFirstLine, &first)) {
    given = &first;
    if (!strict_layout_ok(tarn_mech_layout(first), kMechOld)) return;
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
