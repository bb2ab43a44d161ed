// The tarn catalog readers, both layouts: every field at its columns, the
// tests in order, event types, magnitudes and the record cycle.

#include "gtest/gtest.h"
#include "support/cli_harness.h"

namespace {

// Old layout, every gap between fields filled with digits: 1995-01-01
// 12:30:15.25, 37S45.12, 122W30.36, depth 123.45 km, amplitude
// magnitude 2.7, 123 stations, gap 187, closest 45 km, rms 0.12 s, coda
// magnitude 3.1, type E, errors 1.50 and 2.75 km, W 3.45, L 2.89, preferred
// D 3.12.
const Fields kOld = {
    {1, "9501011230"}, {11, "1525"}, {15, "37S4512"}, {22, "122 3036"}, {30, "12345"},
    {35, "27"}, {37, "123187045"}, {46, "0012"}, {50, "987654321098765432"}, {68, "31"},
    {70, "1234567"}, {77, "E"}, {78, "999"}, {81, "01500275"}, {89, "98765432109876543210987654"},
    {115, "W345"}, {119, "999"}, {122, "L289"}, {126, "9876543210987"}, {139, "D312"}};

// The same event in the Y2K layout (magnitudes with two decimals: amplitude
// 2.70, coda 3.10).
const Fields kY2k = {
    {1, "199501011230"}, {13, "1525"}, {17, "37S4512"}, {24, "122 3036"}, {32, "12345"},
    {37, "270"}, {40, "123187045"}, {49, "0012"}, {53, "987654321098765432"}, {71, "310"},
    {74, "1234567"}, {81, "E"}, {82, "9999"}, {86, "01500275"}, {94, "98765432109876543210987654321"},
    {123, "W345"}, {127, "999"}, {130, "L289"}, {134, "9876543210987"}, {147, "D312"}};

std::string old_rec(const Fields& changes = {}) { return record(142, kOld, changes); }
std::string y2k_rec(const Fields& changes = {}) { return record(150, kY2k, changes); }

// Options that select the filled record, and options that reject it: each
// field with bounds equal to its value (both bounds are inclusive) or just
// around it, and with bounds just past it.
const struct { Args pass, fail; } kFieldCases[] = {
    {w("-time 19950101123015.25 19950101123015.25"), w("-time 19950101123015.26 19950101123100")},
    {w("-latitude -37.7521 -37.7519"), w("-latitude 37.7519 37.7521")},
    {w("-longitude -122.5061 -122.5059"), w("-longitude 122.5059 122.5061")},
    {w("-depth 123.45 123.45"), w("-depth 123.46 200")}, {w("-etype a"), {"-felt"}},
    {w("-magnitude 3.12 3.12"), w("-magnitude 3.13 9")}, {w("-rms 0.12 0.12"), w("-rms 0 0.11")},
    {w("-nstations 123 123"), w("-nstations 124 200")}, {w("-gap 187 187"), w("-gap 188 360")},
    {w("-closest 45 45"), w("-closest 0 44.9")}, {w("-errhoriz 1.5 1.5"), w("-errhoriz 1.51 9")},
    {w("-errdepth 2.75 2.75"), w("-errdepth 0 2.74")},
    {w("-mtype mw -magnitude 3.45 3.45"), w("-mtype mw -magnitude 3.46 9")},
    {w("-mtype mlm -magnitude 2.89 2.89"), w("-mtype mml -magnitude 2.9 9")},
    {w("-mtype coda -magnitude 3.1 3.1"), w("-mtype md -magnitude 3.11 9")},
    {w("-mtype amp -magnitude 2.7 2.7"), w("-mtype mx -magnitude 2.71 9")},
    {w("-mtype avg -magnitude 2 2"), w("-mtype avg -magnitude 2.5 9")},
    {w("-mtype ml -magnitude 0 0"), w("-mtype mlt -magnitude 0.1 9")},
    {w("-polygon -38 -122 -38 -123 -37 -123 -37 -122"), w("-polygon 37 -122 37 -123 38 -123 38 -122")},
    {w("-delta -37.752 -122.506 0 1"), w("-delta -37.752 -122.506 1 50")},
};

TEST(TarnCatalog, FieldsOfBothLayouts) {
  for (const std::string& rec : {old_rec(), y2k_rec()}) {
    SCOPED_TRACE(rec.size() == 143 ? "old" : "y2k");
    for (const auto& c : kFieldCases) {
      check_case(quiet(c.pass, rec, rec));
      check_case(quiet(c.fail, rec, ""));
    }
  }
}

// Whether each record is selected.  "E" is no hemisphere character of the
// layout detector, so a record that the detector takes and the options
// reject leads where needed.
TEST(TarnCatalog, Selections) {
  const std::string old_q = old_rec({{77, "Q"}}), y2k_q = y2k_rec({{81, "Q"}});
  const struct { Args args; std::string rec; bool selected; std::string lead = ""; } cases[] = {
      {w("-latitude 37.7519 37.7521"), old_rec({{17, "s"}}), true, old_q},
      {w("-latitude 7.7519 7.7521"), old_rec({{14, "3-7N"}}), true, old_q},
      {w("-longitude 122.5059 122.5061"), old_rec({{25, "E"}}), true, old_q},
      {w("-longitude -122.5061 -122.5059"), old_rec({{25, "e"}}), true, old_q},
      {w("-longitude 122.5059 122.5061"), y2k_rec({{27, "E"}}), true, y2k_q},
      {{"-felt"}, old_rec({{77, "F"}}), true}, {{"-felt"}, old_rec({{77, "f"}}), false},
      {{}, y2k_rec({{77, "Q"}, {81, "T"}}), true}, {{}, y2k_rec({{77, "E"}, {81, "Q"}}), false},
      // The first listed magnitude that the record has wins: the default
      // list runs pref, mw, mlm, ml, md, mx.
      {w("-magnitude 3.45 3.45"), old_rec({{139, " "}}), true},
      {w("-magnitude 3.1 3.1"), old_rec({{139, " "}, {115, " "}, {122, " "}}), true},
      {w("-mtype pref,md -magnitude 3.1 3.1"), y2k_rec({{147, " "}}), true},
      {w("-mtype mx,md -magnitude 3.1 3.1"), old_rec({{35, "00"}}), true},
      {w("-mtype avg -magnitude 2 2"), old_rec({{68, "27"}, {35, "05"}}), true},
      {w("-mtype md,mln -magnitude 0 9"), old_rec(), true},
      // -no_mag passes a missing magnitude, not one out of range.
      {w("-mtype md -magnitude 3.5 5 -no_mag"), old_rec({{68, "  "}}), true},
      {w("-mtype md -magnitude 3.5 5 -no_mag"), old_rec({{68, "20"}}), false},
      {w("-time 19000101000000 19001231000000"), old_rec({{1, "00"}}), true},
      // A day outside the interval whose time of day reaches into it, and
      // seconds that are not a number, which no bound rejects.
      {w("-time 19950101000000 19950110000000"), old_rec({{1, "9412289900"}}), true},
      {w("-time 19950101000000 19950110000000"), old_rec({{1, "5001011230"}, {11, "nan "}}), true},
      {w("-time 19950101000000 19950110000000"), old_rec({{1, "5001011230"}, {11, "9999"}}), false},
      // A -delta box past 180 degrees also takes events on the other side.
      {w("-delta 0 179.5 0 200"), old_rec({{15, "00 0000179 4800"}}), true},
      // Short records read blanks past their end, not what a longer one
      // left; the newline is a column like any other.
      {w("-depth 0 0 -errhoriz 0 0"), "9501011230152537 4512122 3036\n", true, old_rec()},
      {{}, old_rec({{77, " "}}).substr(0, 76) + "\n", false},
  };
  for (const auto& c : cases)
    check_case(quiet(c.args, c.lead + c.rec, c.selected ? c.rec : ""));
}

// Each -etype letter stands for its group of type codes; lower-case codes
// count as upper case, and blank, "-", "*" and "M" as E.
TEST(TarnCatalog, EventTypeGroups) {
  const std::string codes = " -*MmEeLlTFfQqRNBX";
  const struct { Args args; std::string accepted; } cases[] = {
      {{}, " -*MmEeLlTFf"}, {w("-etype b"), "QqRNB"}, {w("-etype F"), "Ff"}, {w("-etype n"), "N"},
      {w("-etype Q"), "Qq"}, {w("-etype r"), "R"}, {w("-etype qA"), codes}, {{"-etype", ""}, ""},
      {{"-etype", std::string(60, 'E')}, " -*MmEeLlTFf"}, {w("-etype NR"), "RN"},
  };
  for (const auto& c : cases) {
    std::string in, out;
    for (char code : codes) {
      in += old_rec({{77, std::string(1, code)}});
      if (c.accepted.find(code) != std::string::npos) out += old_rec({{77, std::string(1, code)}});
    }
    check_case(quiet(c.args, in, out));
  }
}

TEST(TarnCatalog, RecordCycle) {
  const std::string kUnavailable = "Specified magnitude not available for tarn catalog\n";
  const std::string kLong = std::string(198, '7') + "\n" + std::string(199, '7') + "\n";
  const CliCase cases[] = {
      {"unavailable_type", w("-mtype mln -magnitude 0 9"), {}, old_rec(), "", kUnavailable, 1},
      // Only records that pass the earlier tests reach the magnitude walk;
      // what was written before the failure stays written.
      {"unavailable_late", w("-negate -depth 0 100 -mtype md,bm -magnitude 0 9"), {},
       old_rec({{68, "  "}}) + old_rec({{68, "  "}, {30, "01000"}}), old_rec({{68, "  "}}), kUnavailable, 1},
      {"no_magnitude_test", w("-mtype mlb"), {}, old_rec(), old_rec(), "", 0},
      // Records are cut as a line buffer of 200 bytes cuts them.
      {"pieces", w("-verbose -etype a"), {}, old_rec() + kLong, old_rec() + kLong,
       "processing stdin ...\n4 lines, 4 selected\n", 0},
  };
  for (const auto& c : cases) check_case(c);
}

TEST(TarnCatalog, TimeCarriesOverToTheNextInput) {
  // The second input starts from the origin time of the first input's last
  // record, whatever the -time bounds say.
  std::string june = y2k_rec({{1, "19950601"}}), march = y2k_rec({{1, "19950301"}});
  std::string july = y2k_rec({{1, "19950701"}});
  check_case({"carry_over", w("-time 19950101000000 19951231000000 @a @b"),
              {{"a", june}, {"b", march + july}}, "", june + july, "", 0});
}

}  // namespace
