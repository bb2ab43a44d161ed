// The brim summary reader and the full brim reader.
#include <algorithm>

#include "support/harness.h"

namespace {

// The first cut characters of a brim line, then a newline; the errors of 0.80000001 and 9 show a
// field read too narrow.
std::string brim(const Fields& changes = {}, size_t cut = 259) {
  static const Fields kFull = {
      {6, "200305060708"}, {18, "09.5001"}, {25, "34.500001"}, {34, "117.250001"},
      {44, "12.50000"}, {57, " 125"}, {61, "123"}, {64, "12.3456789"}, {74, "1.50001"},
      {81, "3.25000"}, {95, "1.20000"}, {102, "9L"}, {130, "3.400"}, {140, " 123"},
      {239, "0.80000001"}, {249, "9.00000000"}};
  return record(259, kFull, changes, '9').substr(0, cut) + "\n";
}

// A full brim location line in the summary columns, without an event type.
std::string loc(const Fields& changes = {}, const std::string& key = "$loc ",
                const std::string& lat = "34.500000") {
  std::string l = record(115, {{1, key}, {6, "20040506070809.5000" + lat + "-117.25000"},
                               {44, "12.50000"}, {57, " 125123"}, {64, "12.34567890.150000.30000"},
                               {95, "1.20000  "}}, {}, '9');
  return record(0, {{1, l.substr(0, 115)}}, changes);
}
std::string mag(const std::string& key = "$mag ", const std::string& m = "3.400") {
  return key + " " + m + " ML    12 BR\n";
}
std::string rec(const std::vector<std::string>& lines) {  // closed by "$end"
  std::string r;
  for (const auto& l : lines) r += l;
  return r + "$end\n";
}

// A record of each type code; the rows say which codes the options select.
void check_types(const Args& format, const std::vector<std::string>& codes,
                 const std::vector<std::pair<Args, std::vector<std::string>>>& rows,
                 std::string (*typed)(const std::string&)) {
  std::string input;
  for (const auto& c : codes) input += typed(c);
  for (const auto& [args, accepted] : rows) {
    std::string out;
    for (const auto& c : codes)
      if (std::find(accepted.begin(), accepted.end(), c) != accepted.end()) out += typed(c);
    check_case(quiet(format + args, input, out));
  }
}

// Bounds at the value (both inclusive) pass the line; bounds at the marker pass an optional field
// that is blank or ends, newline included, before the field's last column.
TEST(BrimCatalog, FieldsAndMarkers) {
  const struct { const char* opt; int col, width; const char *value, *marker; } rows[] = {
      {"-time", 0, 0, "20030506070809.5001", "20030506070809.5002"},  // col 0: never missing
      {"-latitude", 0, 0, "34.500001", "34.5"}, {"-longitude", 0, 0, "117.250001", "117.2501"},
      {"-depth", 44, 8, "12.5", "-10000"},      {"-nstations", 57, 4, "125", "-1"},
      {"-gap", 61, 3, "123", "-1"},             {"-closest", 64, 10, "12.3456789", "-1"},
      {"-rms", 74, 7, "1.50001", "-1"},         {"-errtime", 81, 7, "3.25", "-1"},
      {"-errdepth", 95, 7, "1.2", "-1"},        {"-magnitude", 130, 5, "3.4", "-10"},
      {"-nmag", 140, 4, "123", "-1"},           {"-errlat", 239, 10, "0.80000001", "-1"},
      {"-errlon", 249, 10, "9", "-1"}};
  for (const auto& r : rows) {
    check_case(quiet({"-format", "brim", r.opt, r.value, r.value}, brim(), brim()));
    std::string blank, shorter, reaching;
    if (r.col > 0) {
      size_t last = size_t(r.col + r.width - 1);
      blank = brim({{r.col, std::string(size_t(r.width), ' ')}});
      shorter = brim({}, last - 2), reaching = brim({}, last - 1);
    }
    check_case(quiet({"-format", "brim", r.opt, r.marker, r.marker},
                     brim() + blank + shorter + reaching, blank + shorter));
  }
  // -no_mag passes a missing magnitude, not a small one.
  std::string missing = brim({{130, "     "}}), small = brim({{130, "1.500"}});
  check_case(quiet(w("-format brim -magnitude 2 9 -no_mag"), brim() + missing + small,
                   brim() + missing));
}

// Columns 102-103: two blanks are E, else either one, upper-cased, in the letter's group: E takes
// LTRFDC (and V, not in a full record), B takes Q and R.  Felt takes F, D or C.
TEST(BrimCatalog, EventTypesAndFelt) {
  const std::vector<std::string> codes = {"  ", "L ", " t", "r ", "eF", " D", "C ", "v ",
                                          "f ", "Q ", "E ", " b", "n ", "H ", "x "};
  check_types(w("-format brim"), codes,
              {{{}, {"  ", "L ", " t", "r ", "eF", " D", "C ", "v ", "f "}},
               {w("-etype b"), {"Q ", " b", "n "}}, {w("-etype qrnh"), {"r ", "Q ", "n ", "H "}},
               {w("-etype ha"), codes}, {w("-felt -etype a"), {"eF", " D", "C "}}},
              [](const std::string& c) { return brim({{102, c}}); });
  check_types(w("-format f_brim"),
              {"  ", "L ", " T", "R ", "eF", " D", "c ", "V ", "Q ", "B ", "N ", "E ", "H "},
              {{{}, {"  ", "L ", " T", "R ", "eF", " D", "c "}}, {w("-etype b"), {"R ", "Q "}},
               {w("-etype qnhr"), {"R ", "Q ", "N ", "H "}}, {w("-felt -etype a"), {"eF", " D"}}},
              [](const std::string& c) { return rec({loc({{102, c}}), mag()}); });
}

// Lines of at most 511 characters: the second piece of a longer line is a line of its own.
TEST(BrimCatalog, LineBuffer) {
  std::string line = brim().replace(259, 1, std::string(295, ' ')) + "50.00000\n";
  check_case({"pieces", w("-format brim -verbose -depth 40 60"), {}, line, line.substr(511),
              "processing stdin ...\n2 lines, 1 selected, \n", 0});
}

// The first "$loc" and "$mag" lines count, unless a later one is marked "P", but not a first line
// "$mag"; each record follows one that chose other lines, which it must not inherit.
TEST(FullBrim, LineChoice) {
  const std::string a = "30.000000", b = "35.500000", c = "36.500000", x = "3.400", y = "4.400";
  const std::string before = rec({"$beg 0\n", mag("$magP", "5.400"), loc({}, "$locP", a)});
  const struct { std::vector<std::string> lines; const char *lat, *mag; } rows[] = {
      {{loc(), loc({}, "$loc ", b), mag("$mag ", x), mag("$mag ", y)}, "34.5", "3.4"},
      {{loc(), loc({}, "$locP", b), loc({}, "$locP", c), mag(), mag("$magP", y)}, "36.5", "4.4"},
      {{mag("$mag ", x), loc()}, "34.5", "-10"},
      {{mag("$mag ", x), loc(), mag("$magP", y)}, "34.5", "4.4"},
      {{mag("$mag ", x), loc(), mag("$mag ", y)}, "34.5", "-10"}};
  for (const auto& r : rows) {
    std::string input = rec(r.lines), obs = std::string(r.mag) == "-10" ? "-1" : "12";
    check_case(quiet({"-format", "f_brim", "-latitude", r.lat, r.lat, "-magnitude", r.mag, r.mag,
                      "-nmag", obs, obs}, before + input, input));
  }
}

// The summary line is the location line in 123 columns, then the magnitude line in 48: what lies
// past them, or is blank, takes the markers.
TEST(FullBrim, SummaryLine) {
  std::string full = rec({loc({{239, "0.80000000"}, {249, "0.90000000"}}), mag()});
  std::string blank = rec({loc({{44, std::string(58, ' ')}})});
  for (const std::string m : {"-depth -10000", "-nstations -1", "-gap -1", "-closest -1",
                              "-rms -1", "-errtime -1", "-errdepth -1", "-magnitude -10",
                              "-nmag -1", "-errlat -1", "-errlon -1"}) {
    bool always = m.substr(0, 5) == "-errl";
    check_case(quiet(w("-format f_brim " + m + m.substr(m.find(' '))), full + blank,
                     always ? full + blank : blank));
  }
  // The location line's newline stays in the summary line, where it is no blank; a NUL byte is
  // data, and the fields after it stand at their columns.
  std::string newline = rec({loc().substr(0, 43) + "\n", mag()});
  check_case(quiet(w("-format f_brim -depth 0 0"), newline, newline));
  std::string nul = rec({loc({{52, std::string(1, '\0')}, {64, "    15.139"}}), mag()});
  check_case(quiet(w("-format f_brim -closest 15.139 15.139"), nul, nul));
  check_case(quiet(w("-format f_brim -closest -1 10.574"), nul, ""));
}

// Records are written byte for byte; one without a "$loc" line is counted, never written, and
// leaves the time for the next input alone, as do lines after the last "$end".
TEST(FullBrim, Records) {
  std::string whole = "$beg 40100012 BR\n$com located twice\n" + loc() + loc({}, "$loc ", "35.5") +
                      "$err  1.2 3.4\n" + mag() + mag("$mag ", "4.100") + "$pha P\n$end of event\n";
  std::string noloc = rec({"$beg 1\n", mag()}), failing = rec({loc({{102, "V "}}), mag()});
  std::string input = whole + noloc + failing + "$beg 3\n" + loc() + "$pha RIDG\n";
  check_case(quiet(w("-format f_brim"), input, whole));
  check_case({"negated", w("-format f_brim -verbose -negate"), {}, input, failing,
              "processing stdin ...\n3 lines, 1 selected\n", 0});
  auto at = [](const char* date) { return rec({loc({{6, date}}), mag()}); };
  check_case({"carry_over", w("-format f_brim -time 20040101000000 20050101000000 @a @b"),
              {{"a", at("20040510") + noloc + loc({{6, "20040520"}})},
               {"b", at("20040508") + at("20040512")}},
              "", at("20040510") + at("20040512"), "", 0});
  std::string short_loc = rec({loc({{6, "20040511"}}).substr(0, 13) + "\n", mag()});
  check_case({"carry_over_short", w("-format f_brim -time 20040101000000 20050101000000 @a @b"),
              {{"a", at("20040510") + short_loc}, {"b", at("20040510") + at("20040512")}}, "",
              at("20040510") + short_loc + at("20040512"), "", 0});
  // Lines of at most 511 characters: a piece that begins with "$end" closes the record, and every
  // piece is written with it.
  std::string pieces =
      rec({loc(), std::string(700, 'x') + "\n"}) + loc() + std::string(511, 'y') + "$end\n";
  check_case({"pieces", w("-format f_brim -verbose"), {}, pieces, pieces,
              "processing stdin ...\n2 lines, 2 selected\n", 0});
  // Records of many input blocks are written whole, around a dropped one.
  std::string big = "$beg 9\n" + loc();
  for (int i = 0; i < 20000; ++i) big += "$pha STA" + std::to_string(i) + " HHZ P 1.25 0.5 onset\n";
  big += "$end\n";
  check_case(quiet(w("-format f_brim"), whole + big + failing + big, whole + big + big));
  check_case(quiet(w("-format f_brim -negate"), big + failing + big + whole, failing));
}

}  // namespace
