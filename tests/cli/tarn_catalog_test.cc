// The tarn catalog and mechanism readers, both layouts.
#include "support/harness.h"

namespace {

// One event in both layouts, every gap between fields filled with digits.
const Fields kOldF = {
    {1, "9501011230"}, {11, "1525"}, {15, "37S4512"}, {22, "122 3036"}, {30, "12345"}, {35, "27"},
    {37, "123187045"}, {46, "0012"}, {50, "987654321098765432"}, {68, "31"}, {70, "1234567"},
    {77, "E"}, {78, "999"}, {81, "01500275"}, {89, "98765432109876543210987654"}, {115, "W345"},
    {119, "999"}, {122, "L289"}, {126, "9876543210987"}, {139, "D312"}};
const Fields kY2kF = {
    {1, "199501011230"}, {13, "1525"}, {17, "37S4512"}, {24, "122 3036"}, {32, "12345"},
    {37, "270"}, {40, "123187045"}, {49, "0012"}, {53, "987654321098765432"}, {71, "310"},
    {74, "1234567"}, {81, "E"}, {82, "9999"}, {86, "01500275"}, {123, "W345"}, {127, "999"},
    {94, "98765432109876543210987654321"}, {130, "L289"}, {134, "9876543210987"}, {147, "D312"}};
std::string old_rec(const Fields& changes = {}) { return record(142, kOldF, changes); }
std::string y2k_rec(const Fields& changes = {}) { return record(150, kY2kF, changes); }

// Each field's bounds at its value (both inclusive) select the filled record; bounds just past it
// reject it.
TEST(TarnCatalog, FieldsOfBothLayouts) {
  const std::pair<const char*, const char*> cases[] = {
      {"-time 19950101123015.25 19950101123015.25", "-time 19950101123015.26 19950101123100"},
      {"-latitude -37.7521 -37.7519", "-latitude 37.7519 37.7521"},
      {"-longitude -122.5061 -122.5059", "-longitude 122.5059 122.5061"},
      {"-depth 123.45 123.45", "-depth 123.46 200"}, {"-etype a", "-felt"},
      {"-magnitude 3.12 3.12", "-magnitude 3.13 9"}, {"-rms 0.12 0.12", "-rms 0 0.11"},
      {"-nstations 123 123", "-nstations 124 200"}, {"-gap 187 187", "-gap 188 360"},
      {"-closest 45 45", "-closest 0 44.9"}, {"-errhoriz 1.5 1.5", "-errhoriz 1.51 9"},
      {"-errdepth 2.75 2.75", "-errdepth 0 2.74"},
      {"-mtype mw -magnitude 3.45 3.45", "-mtype mw -magnitude 3.46 9"},
      {"-mtype mlm -magnitude 2.89 2.89", "-mtype mml -magnitude 2.9 9"},
      {"-mtype coda -magnitude 3.1 3.1", "-mtype md -magnitude 3.11 9"},
      {"-mtype amp -magnitude 2.7 2.7", "-mtype mx -magnitude 2.71 9"},
      {"-mtype avg -magnitude 2 2", "-mtype avg -magnitude 2.5 9"},
      {"-mtype ml -magnitude 0 0", "-mtype mlt -magnitude 0.1 9"},
      {"-polygon -38 -122 -38 -123 -37 -123 -37 -122", "-polygon 37 -122 37 -123 38 -123 38 -122"},
      {"-delta -37.752 -122.506 0 1", "-delta -37.752 -122.506 1 50"}};
  for (const std::string& rec : {old_rec(), y2k_rec()})
    for (const auto& c : cases) {
      check_case(quiet(w(c.first), rec, rec));
      check_case(quiet(w(c.second), rec, ""));
    }
}

// Whether each record is selected; a record that the layout detector takes and the options reject
// leads where needed ("E" is no hemisphere character).
TEST(TarnCatalog, Selections) {
  const std::string old_q = old_rec({{77, "Q"}}), y2k_q = y2k_rec({{81, "Q"}});
  const auto old_date = [](const char* secs) { return old_rec({{1, "5001011230"}, {11, secs}}); };
  struct Sel { const char* args; std::string rec; bool selected; std::string lead = ""; };
  const Sel cases[] = {
      {"-latitude 37.7519 37.7521", old_rec({{17, "s"}}), true, old_q},
      {"-longitude 122.5059 122.5061", old_rec({{25, "E"}}), true, old_q},
      {"-longitude -122.5061 -122.5059", old_rec({{25, "e"}}), true, old_q},
      {"-longitude 122.5059 122.5061", y2k_rec({{27, "E"}}), true, y2k_q},
      {"-felt", old_rec({{77, "F"}}), true}, {"-felt", old_rec({{77, "f"}}), false},
      {"", y2k_rec({{77, "Q"}, {81, "T"}}), true}, {"", y2k_rec({{77, "E"}, {81, "Q"}}), false},
      // The first listed magnitude that the record has wins (by default pref, mw, mlm, ml, md,
      // mx); -no_mag passes a missing one, not one out of range.
      {"-magnitude 3.45 3.45", old_rec({{139, " "}}), true},
      {"-magnitude 3.1 3.1", old_rec({{139, " "}, {115, " "}, {122, " "}}), true},
      {"-mtype pref,md -magnitude 3.1 3.1", y2k_rec({{147, " "}}), true},
      {"-mtype mx,md -magnitude 3.1 3.1", old_rec({{35, "00"}}), true},
      {"-mtype avg -magnitude 2 2", old_rec({{68, "27"}, {35, "05"}}), true},
      {"-mtype md,mln -magnitude 0 9", old_rec(), true},
      {"-mtype md -magnitude 3.5 5 -no_mag", old_rec({{68, "  "}}), true},
      {"-mtype md -magnitude 3.5 5 -no_mag", old_rec({{68, "20"}}), false},
      // Year 00 is 1900; a day outside whose hours reach into the interval; seconds that are no
      // number, which no bound rejects.
      {"-time 19000101000000 19001231000000", old_rec({{1, "00"}}), true},
      {"-time 19950101000000 19950110000000", old_rec({{1, "9412289900"}}), true},
      {"-time 19950101000000 19950110000000", old_date("nan "), true},
      {"-time 19950101000000 19950110000000", old_date("9999"), false},
      {"-delta 0 179.5 0 200", old_rec({{15, "00 0000179 4800"}}), true},  // past 180 degrees
      // Short records read blanks past their end; the newline is a column.
      {"-depth 0 0 -errhoriz 0 0", "9501011230152537 4512122 3036\n", true, old_rec()},
      {"", old_rec({{77, " "}}).substr(0, 76) + "\n", false}};
  for (const auto& c : cases)
    check_case(quiet(w(c.args), c.lead + c.rec, c.selected ? c.rec : ""));
}

// Each -etype letter stands for its group of type codes; lower-case codes count as upper case, and
// blank, "-", "*" and "M" as E.
TEST(TarnCatalog, EventTypeGroups) {
  auto recs = [](const std::string& codes) {
    std::string r;
    for (char code : codes) r += old_rec({{77, std::string(1, code)}});
    return r;
  };
  const std::string all = " -*MmEeLlTFfQqRNBX", e = " -*MmEeLlTFf";
  for (const auto& [args, accepted] : std::vector<std::pair<Args, std::string>>{
           {{}, e}, {w("-etype b"), "QqRNB"}, {w("-etype F"), "Ff"}, {w("-etype n"), "N"},
           {w("-etype Q"), "Qq"}, {w("-etype r"), "R"}, {w("-etype qA"), all}, {{"-etype", ""}, ""},
           {{"-etype", std::string(60, 'E')}, e}, {w("-etype NR"), "RN"}})
    check_case(quiet(args, recs(all), recs(accepted)));
}

TEST(TarnCatalog, RecordCycle) {
  const std::string kUnavailable = "Specified magnitude not available for tarn catalog\n";
  const std::string kLong = std::string(198, '7') + "\n" + std::string(199, '7') + "\n";
  const std::string no_md = old_rec({{68, "  "}});
  const CliCase cases[] = {
      {"unavailable", w("-mtype mln -magnitude 0 9"), {}, old_rec(), "", kUnavailable, 1},
      // Only records that pass the earlier tests reach the magnitude walk; what was written before
      // the failure stays written.
      {"unavailable_late", w("-negate -depth 0 100 -mtype md,bm -magnitude 0 9"), {},
       no_md + old_rec({{68, "  "}, {30, "01000"}}), no_md, kUnavailable, 1},
      // Records are cut as a line buffer of 200 bytes cuts them.
      {"pieces", w("-verbose -etype a"), {}, old_rec() + kLong, old_rec() + kLong,
       "processing stdin ...\n4 lines, 4 selected\n", 0}};
  for (const auto& c : cases) check_case(c);
}

// A mechanism record, every gap filled but columns 7, 21 and 31 (north, west).
const Fields kDense = {{1, "991231"}, {7, "52359"}, {12, "59.125"}, {18, "1375"}, {22, "30.15"},
                       {27, "11225"}, {32, "15.45"}, {37, "1012.2577"}, {46, "3.125"},
                       {51, "123"}, {54, "98.5"}, {58, "123.5"}, {63, "1.125"}, {68, "15075"},
                       {73, "234569"}};

// The base record with changes, in old-layout columns; the Y2K layout puts the century 19 before
// the year and every later column two to the right.
std::string mech(bool y2k, const Fields& changes, const Fields& base = kDense) {
  Fields all = base + changes;
  for (auto& [col, text] : all)
    if (y2k) col == 1 ? void(text = "19" + text) : void(col += 2);
  return record(0, all);
}

// Within 1999, with a magnitude list that reaches a type this catalog lacks; a later -time or
// -magnitude replaces these bounds.
std::string ml(const std::string& more, const std::string& types = "ml") {
  return "-time 19990101000000 20000101000000 -mtype " + types + " -magnitude 0 9 " + more;
}

// Changes to the dense record, and options that select it, reject it and end the run at it.  Time,
// place and depth reject a record before its magnitude is looked at, every other test after.
struct Case { Fields changes; std::string pass, fail, ends = ""; };
const Case kCases[] = {
    {{}, "-time 19991231235959.1249 19991231235959.1251",
     ml("-time 19991231235959.1251 20000101000000")},
    {{}, "-latitude 137.5024 137.5026", ml("-latitude 137.5026 138")},
    {{}, "-longitude -1122.2576 -1122.2574", ml("-longitude -1122.2574 -1000")},
    {{{21, "S"}, {31, "E"}}, "-latitude -137.5026 -137.5024 -longitude 1122.2574 1122.2576", ""},
    {{}, "-depth 1012.25 1012.25", ml("-depth 1012.26 2000")},
    {{}, ml("-magnitude 3.125 3.125", "avg,ml"), "-magnitude 3.126 9"},  // the walk stops at avg
    {{}, "-nstations 123 123", "-nstations 124 999"}, {{}, "-gap 98.5 98.5", "-gap 98.6 360"},
    {{}, "-closest 123.5 123.5", "-closest 123.6 999"}, {{}, "-rms 1.125 1.125", "-rms 1.126 9"},
    {{}, "-errhoriz 150.75 150.75", "-errhoriz 150.76 999"},
    {{}, "-errdepth 234.56 234.56", "-errdepth 234.57 999"},
    // A blank avg is no magnitude, and the walk goes on; a negative one is.
    {{{46, "     "}}, "-magnitude 2 4 -no_mag -depth 1012 1013", "-magnitude 2 4 -depth 1012 1013",
     ml("", "avg,ml")},
    {{{46, "-0.50"}}, "-magnitude -0.5 -0.5", ""},
    // In the polygon's box but outside the triangle, in the ring's box but nearer than its inner
    // radius.
    {{{18, " 37"}, {27, " 122"}}, "", "",
     ml("-nstations 0 1 -rms 0 1 -gap 0 1 -closest 0 1 -errhoriz 0 1 -errdepth 0 1 -polygon 37 "
        "-123 38 -123 37 -122 -delta 37.5025 -122.2575 1 50")}};

void check_layout(bool y2k) {
  // A first record of 1900 settles the layout; it fails every range above.
  const std::string lead = mech(y2k, {{1, "000000"}, {21, " "}}, {});
  for (const Case& c : kCases)
    check_record_options("-format mech", lead, mech(y2k, c.changes), c.pass, c.fail, c.ends,
                         "Specified magnitude not available for tarn mech\n", y2k ? "y2k" : "old");
  // Records of at most 149 characters, but the detector's first line of 181 stays whole; the same
  // line read by the reader is two records.
  std::string line = mech(y2k, {{7, " "}, {21, "S"}, {180, "X"}});
  check_case({"buffer", w("-format mech -verbose -depth 1012 1013"), {}, line + line,
              line + line.substr(0, 149), "processing stdin ...\n3 buf_lines, 2 selected\n", 0});
}

TEST(TarnMech, OldLayout) { check_layout(false); }
TEST(TarnMech, Y2kLayout) { check_layout(true); }

}  // namespace
