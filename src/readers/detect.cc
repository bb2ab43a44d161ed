// Layout detection of the two tarn formats: the first line of the first
// input shows where the hemisphere columns are, and that layout holds for
// the rest of the run.
#include "readers/detect.h"

#include <cstring>

#include "readers/formats.h"
#include "readers/tarn_catalog.h"
#include "readers/tarn_mech.h"
#include "util/status.h"

namespace catsieve {

namespace {

// Hemisphere characters by which the tarn layouts are recognised.
const char kTarnDirChars[] = " NSns+-";

// The detector reads the first line with a 200-byte line buffer.
constexpr size_t kFirstLine = 200;

// Whether column col of the line holds a hemisphere character: exactly the
// seven of tarn_dir_chars, so a NUL byte is none; a column past the end of
// the line holds none.
bool is_dir_char(const Line& l, int col) {
  size_t i = static_cast<size_t>(col - 1);
  return i < l.n && l.p[i] != '\0' && std::strchr(kTarnDirChars, l.p[i]) != nullptr;
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
bool strict_layout_ok(RunState& st, int layout, int old_layout) {
  if (layout == st.layout) return true;
  st.messages.say(true, util::format_text("%s is not in the %s layout of the first input: not read\n",
                                          st.input_name, st.layout == old_layout ? "old" : "Y2K"));
  st.input_failed = true;
  st.input_rejected = true;
  return false;
}

// The first line of the input, and the layout settled by the first input;
// false when the input is not to be read further.
bool settle_layout(Stream& s, RunState& st, int unknown, int old_layout, int (*layout)(const Line&),
                   Line* first, const Line** given) {
  if (st.layout == unknown) {
    if (!readline(s, kFirstLine, first)) return false;
    *given = first;
    st.layout = layout(*first);
  } else if (st.strict && readline(s, kFirstLine, first)) {
    *given = first;
    if (!strict_layout_ok(st, layout(*first), old_layout)) return false;
  }
  return true;
}

}  // namespace

util::Status search_tarn_catalog_auto(Stream& s, RunState& st) {
  Line first;
  const Line* given = nullptr;
  if (!settle_layout(s, st, kTarnUnknown, kTarnOld, tarn_catalog_layout, &first, &given))
    return util::Status{};
  switch (st.layout) {
    case kTarnY2k:
      search_tarn_catalog2k(s, given, st);
      return util::Status{};
    case kTarnOld:
      search_tarn_catalog(s, given, st);
      return util::Status{};
    default:
      return util::failure(1, "Error: Unable to determine format for tarn_catalog\n");
  }
}

util::Status search_tarn_mech_auto(Stream& s, RunState& st) {
  Line first;
  const Line* given = nullptr;
  if (!settle_layout(s, st, kMechUnknown, kMechOld, tarn_mech_layout, &first, &given))
    return util::Status{};
  switch (st.layout) {
    case kMechY2k:
      search_tarn_mech2k(s, given, st);
      return util::Status{};
    case kMechOld:
      search_tarn_mech(s, given, st);
      return util::Status{};
    default:
      return util::failure(1, "Error: Unable to determine format for tarn_mech\n");
  }
}

}  // namespace catsieve
