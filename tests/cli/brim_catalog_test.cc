// The brim summary reader: every field at its columns, the missing-value
// markers and the length rule, event types and felt marks, the line buffer.
#include <algorithm>

#include "gtest/gtest.h"
#include "support/cli_harness.h"

namespace {

// 2003-05-06 07:08:09.5001, 34.500001, 117.250001, depth 12.5, 125 stations,
// gap 123, closest 12.3456789, rms 1.50001, time error 3.25, depth error 1.2,
// type "9L", magnitude 3.4 from 123 observations, latitude and longitude
// errors 0.80000001 and 9 (the length rule catches a field read too narrow).
// The first cut characters, then a newline.
std::string brim(const Fields& changes = {}, size_t cut = 259) {
  static const Fields kFull = {
      {6, "200305060708"}, {18, "09.5001"}, {25, "34.500001"}, {34, "117.250001"},
      {44, "12.50000"}, {57, " 125"}, {61, "123"}, {64, "12.3456789"}, {74, "1.50001"},
      {81, "3.25000"}, {95, "1.20000"}, {102, "9L"}, {130, "3.400"}, {140, " 123"},
      {239, "0.80000001"}, {249, "9.00000000"}};
  return record(259, kFull, changes, '9').substr(0, cut) + "\n";
}

CliCase run(const Args& args, const std::string& in, const std::string& out) {
  return quiet(w("-format brim") + args, in, out);
}

// The full line passes bounds holding only its value (both inclusive) and
// fails bounds at the marker.  An optional field takes its marker when blank
// or when the line, newline included, ends before the field's last column.
TEST(BrimCatalog, FieldsAndMarkers) {
  const struct {
    const char* opt;
    int col, width;  // 0: never missing
    const char *value, *marker;
  } rows[] = {
      {"-time", 0, 0, "20030506070809.5001", "20030506070809.5002"},
      {"-latitude", 0, 0, "34.500001", "34.5"},   {"-longitude", 0, 0, "117.250001", "117.2501"},
      {"-depth", 44, 8, "12.5", "-10000"},      {"-nstations", 57, 4, "125", "-1"},
      {"-gap", 61, 3, "123", "-1"},             {"-closest", 64, 10, "12.3456789", "-1"},
      {"-rms", 74, 7, "1.50001", "-1"},         {"-errtime", 81, 7, "3.25", "-1"},
      {"-errdepth", 95, 7, "1.2", "-1"},        {"-magnitude", 130, 5, "3.4", "-10"},
      {"-nmag", 140, 4, "123", "-1"},           {"-errlat", 239, 10, "0.80000001", "-1"},
      {"-errlon", 249, 10, "9", "-1"},
  };
  for (const auto& r : rows) {
    check_case(run({r.opt, r.value, r.value}, brim(), brim()));
    std::string blank, shorter, reaching;
    if (r.col > 0) {
      size_t last = size_t(r.col + r.width - 1);
      blank = brim({{r.col, std::string(size_t(r.width), ' ')}});
      shorter = brim({}, last - 2);
      reaching = brim({}, last - 1);
    }
    check_case(
        run({r.opt, r.marker, r.marker}, brim() + blank + shorter + reaching, blank + shorter));
  }
  // -no_mag passes a missing magnitude, not a small one.
  std::string missing = brim({{130, "     "}}), small = brim({{130, "1.500"}});
  check_case(run(w("-magnitude 2 9 -no_mag"), brim() + missing + small, brim() + missing));
}

// Columns 102-103: two blanks are an earthquake; otherwise either column,
// in upper case, must be in the letters' groups.  Felt takes F, D or C.
TEST(BrimCatalog, EventTypesAndFelt) {
  const std::vector<std::string> codes = {"  ", "L ", " t", "r ", "eF", " D", "C ", "v ",
                                          "f ", "Q ", "E ", " b", "n ", "H ", "x "};
  const std::pair<Args, std::vector<std::string>> rows[] = {
      {{}, {"  ", "L ", " t", "r ", "eF", " D", "C ", "v ", "f "}}, {w("-etype b"), {"Q ", " b", "n "}},
      {w("-etype qrnh"), {"r ", "Q ", "n ", "H "}}, {w("-etype ha"), codes},
      {w("-felt -etype a"), {"eF", " D", "C "}},
  };
  std::string input;
  for (const auto& c : codes) input += brim({{102, c}});
  for (const auto& r : rows) {
    std::string out;
    for (const auto& c : codes)
      if (std::find(r.second.begin(), r.second.end(), c) != r.second.end()) out += brim({{102, c}});
    check_case(run(r.first, input, out));
  }
}

// Lines of at most 511 characters: the second piece of a longer line is a
// line of its own, with its own depth.
TEST(BrimCatalog, LineBuffer) {
  std::string line = brim({}, 259).replace(259, 1, std::string(295, ' ')) + "50.00000\n";
  check_case({"pieces", w("-format brim -verbose -depth 40 60"), {}, line,
              line.substr(511), "processing stdin ...\n2 lines, 1 selected, \n", 0});
}

}  // namespace
