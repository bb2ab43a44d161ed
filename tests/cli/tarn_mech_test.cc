// The tarn mechanism reader, both layouts: every field at its columns, the
// tests in order, the avg magnitude walk and the line buffer.
#include "support/harness.h"

namespace {

// 1999-12-31 23:59:59.125, 137.5025 N, 1122.2575 W, depth 1012.25, avg 3.125,
// 123 stations, gap 98.5, closest 123.5, rms 1.125, errors 150.75 and 234.56;
// every column next to a field holds a digit (7, 21 and 31 count as blank,
// north and west).
const Fields kDense = {{1, "991231"}, {7, "52359"}, {12, "59.125"}, {18, "1375"}, {22, "30.15"},
                       {27, "11225"}, {32, "15.45"}, {37, "1012.2577"}, {46, "3.125"},
                       {51, "123"}, {54, "98.5"}, {58, "123.5"}, {63, "1.125"}, {68, "15075"},
                       {73, "234569"}};

// The base record with changes, in old-layout columns; the Y2K layout puts
// the century 19 before the year and every later column two to the right.
std::string mech(bool y2k, const Fields& changes, const Fields& base = kDense) {
  Fields all = base;
  all.insert(all.end(), changes.begin(), changes.end());
  for (auto& [col, text] : all)
    if (y2k) col == 1 ? void(text = "19" + text) : void(col += 2);
  return record(0, all);
}

// Within 1999, with a magnitude list that reaches a type this catalog lacks;
// a later -time or -magnitude replaces these bounds.
Args ml(const Args& more, const std::string& types = "ml") {
  return w("-time 19990101000000 20000101000000 -mtype " + types + " -magnitude 0 9") + more;
}

// Changes to the dense record, and options that select it, reject it and end
// the run at it.  Time, place and depth reject a record before its magnitude
// is looked at, every other test after.
struct Case { Fields changes; Args pass, fail, ends = {}; };
const Case kCases[] = {
    {{}, w("-time 19991231235959.1249 19991231235959.1251"),
     ml(w("-time 19991231235959.1251 20000101000000"))},
    {{}, w("-latitude 137.5024 137.5026"), ml(w("-latitude 137.5026 138"))},
    {{}, w("-longitude -1122.2576 -1122.2574"), ml(w("-longitude -1122.2574 -1000"))},
    {{{21, "S"}, {31, "E"}}, w("-latitude -137.5026 -137.5024 -longitude 1122.2574 1122.2576"), {}},
    {{}, w("-depth 1012.25 1012.25"), ml(w("-depth 1012.26 2000"))},
    {{}, ml(w("-magnitude 3.125 3.125"), "avg,ml"), w("-magnitude 3.126 9")},  // walk stops at avg
    {{}, w("-nstations 123 123"), w("-nstations 124 999")},
    {{}, w("-gap 98.5 98.5"), w("-gap 98.6 360")},
    {{}, w("-closest 123.5 123.5"), w("-closest 123.6 999")},
    {{}, w("-rms 1.125 1.125"), w("-rms 1.126 9")},
    {{}, w("-errhoriz 150.75 150.75"), w("-errhoriz 150.76 999")},
    {{}, w("-errdepth 234.56 234.56"), w("-errdepth 234.57 999")},
    // A blank avg is no magnitude, and the walk goes on; a negative one is.
    {{{46, "     "}}, w("-magnitude 2 4 -no_mag -depth 1012 1013"),
     w("-magnitude 2 4 -depth 1012 1013"), ml({}, "avg,ml")},
    {{{46, "-0.50"}}, w("-magnitude -0.5 -0.5"), {}},
    // In the polygon's box but outside the triangle, in the ring's box but
    // nearer than its inner radius.
    {{{18, " 37"}, {27, " 122"}}, {}, {},
     ml(w("-nstations 0 1 -rms 0 1 -gap 0 1 -closest 0 1 -errhoriz 0 1 -errdepth 0 1 -polygon 37 "
          "-123 38 -123 37 -122 -delta 37.5025 -122.2575 1 50"))}};

void check_layout(bool y2k) {
  // A first record of 1900 settles the layout; it fails every range above.
  const std::string lead = mech(y2k, {{1, "000000"}, {21, " "}}, {});
  for (const Case& c : kCases)
    check_record_options(w("-format mech"), lead, mech(y2k, c.changes), c.pass, c.fail, c.ends,
                         "Specified magnitude not available for tarn mech\n", y2k ? "y2k" : "old");
  // Records of at most 149 characters, but the detector's first line of 181
  // stays whole; the same line read by the reader is two records.
  std::string line = mech(y2k, {{7, " "}, {21, "S"}, {180, "X"}});
  check_case({"buffer", w("-format mech -verbose -depth 1012 1013"), {}, line + line,
              line + line.substr(0, 149), "processing stdin ...\n3 buf_lines, 2 selected\n", 0});
}

TEST(TarnMech, OldLayout) { check_layout(false); }
TEST(TarnMech, Y2kLayout) { check_layout(true); }

}  // namespace
