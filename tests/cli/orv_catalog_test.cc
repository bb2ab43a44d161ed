// The orv catalog reader: fields, and the magnitude walk with its counts (its record size:
// inputs_test.cc).
#include "support/harness.h"

namespace {

// An orv record, every gap filled with 9s: magnitudes mlb, ml, mln and mw, each with its count,
// then the moment with its count.
std::string orv(const Fields& changes = {}) {
  static const Fields kDense = {
      {1, "20030415"}, {10, "071114.7205"}, {22, "-33.4512"}, {31, "-122.2575"},
      {41, "1234.125"}, {50, "4.25"}, {55, "123"}, {59, "3.75"}, {64, "234"}, {68, "5.25"},
      {73, "345"}, {77, "6.25"}, {82, "456"}, {86, "1.251e+17"}, {96, "567"}, {100, "678"},
      {104, "181"}, {108, "1234.5"}, {115, "1.23456"}, {123, "12.3456"}, {131, "23.4567"},
      {139, "34.5678"}, {147, "1.23457"}, {155, "B"}, {157, "F"}};
  return record(158, kDense, changes, '9');
}

// Magnitude type md, which this catalog lacks, ends the run at a record whose magnitude is tested.
std::string md(const std::string& more) { return "-mtype md -magnitude 0 9 " + more; }

// Mw blank (its count still there) and mln zero: the default list mw, mln, ml, mlb falls to
// ml.  Then no type with a magnitude above 0.
const Fields kMl = {{77, "    "}, {68, " 0.0"}};
const Fields kNone = {{77, "    "}, {68, "    "}, {59, "-1.0"}, {50, " 0.0"}};

// Changes to the dense record, and options that select it, reject it and end the run at it.  Time,
// place and depth reject a record before its magnitude is looked at, every other test after.
struct Case { Fields changes; std::string pass, fail, ends = ""; };
const Case kCases[] = {
    {{}, "-time 20030415071114.72049 20030415071114.72051",
     md("-time 20030415071114.72051 20040101000000")},
    {{}, "-latitude -33.45121 -33.45119", md("-latitude -33.45119 0")},
    {{}, "-longitude -122.25751 -122.25749", md("-longitude -122.25749 0")},
    {{}, "-depth 1234.125 1234.125", md("-depth 1234.126 9999")},
    // Each type with its count; the walk stops at the first with a magnitude.
    {{}, "-mtype mlb -magnitude 4.25 4.25 -nmag 123 123", ""},
    {{}, "-mtype ml -magnitude 3.75 3.75 -nmag 234 234", ""},
    {{}, "-mtype mln -magnitude 5.25 5.25 -nmag 345 345", ""},
    {{}, "-mtype mw,md -magnitude 6.25 6.25 -nmag 456 456", ""},
    {{}, "-m0 1.251e17 1.251e17", "-m0 1.252e17 1e18"}, {{}, "-gap 181 181", "-gap 182 360"},
    {{}, "-nm0 567 567", "-nm0 568 999"}, {{}, "-nstations 678 678", "-nstations 679 999"},
    {{}, "-closest 1234.5 1234.5", "-closest 1234.6 9999"},
    {{}, "-errtime 1.23456 1.23456", "-errtime 1.23457 9"},
    {{}, "-errlat 12.3456 12.3456", "-errlat 12.3457 99"},
    {{}, "-errlon 23.4567 23.4567", "-errlon 23.4568 99"},
    {{}, "-errdepth 34.5678 34.5678", "-errdepth 34.5679 99"},
    {{}, "-rms 1.23457 1.23457", "-rms 1.23458 9"},
    // Quality letters fold to lower case, in the record and in the option, at both ends of the
    // alphabet; felt is a capital F; -errhoriz and -etype test nothing here.
    {{}, "-quality b -felt -errhoriz 5 6 -etype q", "-quality ac"}, {{{157, "f"}}, "", "-felt"},
    {{{155, "A"}}, "-quality A", "-quality B"}, {{{155, "Z"}}, "-quality yZ", "-quality a"},
    // The first type above 0 wins and -nmag sees its count; with none the magnitude and the count
    // are 0.  A later type is reached only then.
    {kMl, "-magnitude 3.75 3.75 -nmag 234 234", "", "-mtype mw,md -magnitude 0 9"},
    {kNone, "-magnitude 0.5 3 -no_mag -nmag 0 0", "-magnitude 0.5 3"},
    {{}, "", "-nmag 1 999"},  // without -magnitude the count stays 0
    // In the polygon's box but outside the triangle, in the ring's box but nearer than its inner
    // radius.
    {{{157, "f"}}, "", "",
     md("-nstations 0 1 -rms 0 1 -gap 0 1 -closest 0 1 -quality z -nmag 999 999 -m0 0 1 -nm0 0 1 "
        "-felt -errtime 0 1 -errlat 0 1 -errlon 0 1 -errdepth 0 1 -polygon -34 -123 -33 -123 -34 "
        "-122 -delta -33.4512 -122.2575 1 50")}};

TEST(OrvCatalog, Fields) {
  for (const Case& c : kCases)
    check_record_options("-format orv", "", orv(c.changes), c.pass, c.fail, c.ends,
                         "Specified magnitude not available for orv catalog\n");
}

TEST(OrvCatalog, Records) {
  // -nmag sees the count that the magnitude test of the same record left.
  std::string ml = orv(kMl), none = orv(kNone);
  check_case({"nmag", w("-format orv -magnitude 0 9 -no_mag -nmag 0 0"), {}, none + ml + none,
              none + none, "", 0});
}

}  // namespace
