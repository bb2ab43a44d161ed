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
  st.messages.say(true,
                  util::format_text("%s is not in the %s layout of the first input: not read\n",
                                    st.input_name, st.layout == old_layout ? "old" : "Y2K"));
  st.input_failed = true;
  st.input_rejected = true;
  return false;
}

// A format of two layouts: its codes, how a first line shows the layout,
// the reader of each and the message when a first line shows neither.
struct TwoLayouts {
  int unknown, y2k, old;
  int (*layout)(const Line& first);
  void (*read_y2k)(Stream& s, const Line* first, RunState& st);
  void (*read_old)(Stream& s, const Line* first, RunState& st);
  const char* neither;
};

// Settles the layout on the first line of the first input (under --strict
// every input's first line must show the same) and reads the input with
// the layout's reader, the first line handed over.
util::Status read_layout(Stream& s, RunState& st, const TwoLayouts& f) {
  Line first;
  const Line* given = nullptr;
  if (st.layout == f.unknown) {
    if (!readline(s, kFirstLine, &first)) return util::Status{};
    given = &first;
    st.layout = f.layout(first);
  } else if (st.strict && readline(s, kFirstLine, &first)) {
    given = &first;
    if (!strict_layout_ok(st, f.layout(first), f.old)) return util::Status{};
  }
  if (st.layout == f.y2k) {
    f.read_y2k(s, given, st);
  } else if (st.layout == f.old) {
    f.read_old(s, given, st);
  } else {
    // Compressed data that decode to no layout may be damaged further on:
    // read to their end, the fault is named before this message.
    if (decompressed(s)) read_to_end(s);
    return util::failure(1, "%s", f.neither);
  }
  return util::Status{};
}

const TwoLayouts kTarnCatalog = {kTarnUnknown,
                                 kTarnY2k,
                                 kTarnOld,
                                 tarn_catalog_layout,
                                 search_tarn_catalog2k,
                                 search_tarn_catalog,
                                 "Error: Unable to determine format for tarn_catalog\n"};
const TwoLayouts kTarnMech = {kMechUnknown,
                              kMechY2k,
                              kMechOld,
                              tarn_mech_layout,
                              search_tarn_mech2k,
                              search_tarn_mech,
                              "Error: Unable to determine format for tarn_mech\n"};

}  // namespace

util::Status search_tarn_catalog_auto(Stream& s, RunState& st) {
  return read_layout(s, st, kTarnCatalog);
}

util::Status search_tarn_mech_auto(Stream& s, RunState& st) {
  return read_layout(s, st, kTarnMech);
}

}  // namespace catsieve
