// Command-line tests of the full brim reader.
#include <string>
#include <vector>

#include "gtest/gtest.h"
#include "support/cli_harness.h"

namespace {

std::string put(std::string s, int col, const std::string& text) {
  size_t at = static_cast<size_t>(col - 1);
  if (s.size() < at + text.size()) s.resize(at + text.size(), ' ');
  return s.replace(at, text.size(), text);
}

// A location line, without its newline: the brim summary columns up to the
// event type, the unread columns filled with 9s.
std::string loc(const std::string& key = "$loc ", const std::string& lat = "34.500000") {
  std::string s(115, '9');
  const std::pair<int, const char*> fields[] = {
      {6, "20040506"},  {14, "0708"},     {18, "09.5000"}, {34, "-117.25000"},
      {44, "12.50000"}, {57, " 125"},     {61, "123"},     {64, "12.3456789"},
      {74, "0.15000"},  {81, "0.30000"},  {95, "1.20000"}, {102, "  "},
  };
  for (const auto& f : fields) s = put(s, f.first, f.second);
  return put(put(s, 1, key), 25, lat);
}

// A magnitude line: magnitude in columns 7-11, observations in 17-20.
std::string mag(const std::string& key = "$mag ", const std::string& m = "3.400") {
  return key + " " + m + " ML    12 BR";
}

std::string nl(const std::string& s) { return s + "\n"; }

// A record of the given lines (each given its newline) closed by "$end".
std::string rec(const std::vector<std::string>& lines) {
  std::string r;
  for (const auto& l : lines) r += nl(l);
  return r + "$end\n";
}

CliCase fbrim(const std::string& name, std::vector<std::string> args, const std::string& input,
              const std::string& out) {
  args.insert(args.begin(), {"-format", "f_brim"});
  args.push_back("@in");
  return {name, args, {{"in", input}}, "", out, "", 0};
}

TEST(FullBrim, LocationAndMagnitudeChoice) {
  const std::string a = "34.500000", b = "35.500000", c = "36.500000";
  const std::string x = "3.400", y = "4.400";
  struct Row {
    const char* name;
    std::vector<std::string> lines;
    const char* lat;  // of the location line the record is tested on
    const char* mag;
  };
  const Row rows[] = {
      {"first of two", {loc("$loc ", a), loc("$loc ", b), mag("$mag ", x)}, "34.5", "3.4"},
      {"later preferred", {loc("$loc ", a), loc("$locP", b), mag()}, "35.5", "3.4"},
      {"preferred first", {loc("$locP", a), loc("$loc ", b), mag()}, "34.5", "3.4"},
      {"last preferred", {loc("$loc ", a), loc("$locP", b), loc("$locP", c), mag()}, "36.5", "3.4"},
      {"first magnitude", {"$beg 1", loc(), mag("$mag ", x), mag("$mag ", y)}, "34.5", "3.4"},
      {"preferred magnitude", {loc(), mag("$mag ", x), mag("$magP", y)}, "34.5", "4.4"},
      {"magnitude on the first line", {mag("$mag ", x), loc()}, "34.5", "-10"},
      {"first line, later one preferred", {mag("$mag ", x), loc(), mag("$magP", y)}, "34.5", "4.4"},
      {"first line, later one not", {mag("$mag ", x), loc(), mag("$mag ", y)}, "34.5", "-10"},
      {"no magnitude line", {"$beg 2", loc()}, "34.5", "-10"},
  };
  for (const Row& r : rows) {
    std::string input = rec(r.lines);
    check_case(fbrim(std::string(r.name) + " latitude", {"-latitude", r.lat, r.lat}, input, input));
    check_case(fbrim(std::string(r.name) + " magnitude", {"-magnitude", r.mag, r.mag}, input, input));
  }
}

// The location line's columns are the summary's; the magnitude line's
// columns 17-20 are its 140-143.
TEST(FullBrim, FieldColumns) {
  std::string input = rec({"$beg 3", loc(), mag()});
  const std::vector<std::vector<std::string>> ok = {
      {"-time", "20040506070809.5", "20040506070809.5"},
      {"-nmag", "12", "12"},
      {"-delta", "34.5", "-117.25", "0", "1"},
  };
  for (const auto& args : ok) check_case(fbrim(args[0], args, input, input));
  check_case(fbrim("-nmag above", {"-nmag", "13", "99"}, input, ""));
}

// Location fields are missing when blank or past the end of the location
// line, magnitude fields when blank or past the end of the magnitude line.
TEST(FullBrim, MissingValueMarkers) {
  struct Row {
    const char* opt;
    int col, width;
    const char* marker;
    bool on_mag;  // a field of the magnitude line, at col - 123
  };
  const Row rows[] = {
      {"-depth", 44, 8, "-10000", false}, {"-nstations", 57, 4, "-1", false},
      {"-gap", 61, 3, "-1", false},       {"-closest", 64, 10, "-1", false},
      {"-rms", 74, 7, "-1", false},       {"-errtime", 81, 7, "-1", false},
      {"-errdepth", 95, 7, "-1", false},  {"-magnitude", 130, 5, "-10", true},
      {"-nmag", 140, 4, "-1", true},
  };
  for (const Row& r : rows) {
    std::string blank_field(static_cast<size_t>(r.width), ' ');
    std::string full = rec({"$beg 1", loc(), mag()});
    std::string blank, shorter;
    if (r.on_mag) {
      int col = r.col - 123;
      blank = rec({"$beg 2", loc(), put(mag(), col, blank_field)});
      shorter = rec({"$beg 3", loc(), mag().substr(0, static_cast<size_t>(col - 2))});
    } else {
      blank = rec({"$beg 2", put(loc(), r.col, blank_field), mag()});
      shorter = rec({"$beg 3", loc().substr(0, static_cast<size_t>(r.col - 2)), mag()});
    }
    check_case(fbrim(std::string(r.opt) + " marker", {r.opt, r.marker, r.marker},
                     full + blank + shorter, blank + shorter));
  }
  // The summary line keeps the location line's newline: a location line
  // that ends inside a field leaves the field not blank.
  std::string ends_inside = rec({loc().substr(0, 45), mag()});
  check_case(fbrim("newline inside the depth field", {"-depth", "12", "12"}, ends_inside,
                   ends_inside));
}

TEST(FullBrim, MissingValueComparedWithBounds) {
  std::string blank = rec({put(loc(), 44, "        "), mag()});
  std::string input = rec({loc(), mag()}) + blank;
  check_case(fbrim("missing depth fails 0 100", {"-depth", "0", "100"}, input,
                   rec({loc(), mag()})));
  check_case(fbrim("missing depth passes -20000 100", {"-depth", "-20000", "100"}, input, input));

  std::string nomag = rec({loc()});
  check_case(fbrim("no magnitude fails", {"-magnitude", "2", "9"}, nomag, ""));
  check_case(fbrim("no magnitude passes -no_mag", {"-magnitude", "2", "9", "-no_mag"}, nomag,
                   nomag));
}

// Latitude and longitude errors lie beyond the summary line.
TEST(FullBrim, LatLonErrorsAlwaysMissing) {
  std::string wide = put(put(loc(), 239, "0.80000000"), 249, "0.90000000");
  std::string input = rec({wide, mag()});
  check_case(fbrim("errlat -1", {"-errlat", "-1", "-1"}, input, input));
  check_case(fbrim("errlat 0 9", {"-errlat", "0", "9"}, input, ""));
  check_case(fbrim("errlon -1", {"-errlon", "-1", "-1"}, input, input));
  check_case(fbrim("errlon 0 9", {"-errlon", "0", "9"}, input, ""));
  // Past column 123 the magnitude line's columns count, not the location
  // line's.
  std::string with_mag = put(loc(), 130, "9.900");
  check_case(fbrim("magnitude from the magnitude line", {"-magnitude", "3.4", "3.4"},
                   rec({with_mag, mag()}), rec({with_mag, mag()})));
}

TEST(FullBrim, EventTypesAndFelt) {
  const std::vector<std::string> codes = {"  ", "V ", "Q ", "R ", "B ", "N ", "E ", "eF", "c "};
  auto typed = [](const std::string& code) { return rec({put(loc(), 102, code), mag()}); };
  std::string input;
  for (const auto& c : codes) input += typed(c);
  struct Row {
    std::vector<std::string> args;
    std::vector<std::string> selected;
  };
  const Row rows[] = {
      {{}, {"  ", "R ", "eF", "c "}},
      {{"-etype", "b"}, {"Q ", "R "}},
      {{"-etype", "n"}, {"N "}},
      {{"-felt", "-etype", "a"}, {"eF"}},
      {{"-negate"}, {"V ", "Q ", "B ", "N ", "E "}},
  };
  for (const Row& r : rows) {
    std::string out, name = "types";
    for (const auto& a : r.args) name += " " + a;
    for (const auto& c : codes)
      for (const auto& s : r.selected)
        if (s == c) out += typed(c);
    check_case(fbrim(name, r.args, input, out));
  }
}

// A record is written byte for byte, every line of it; lines after the last
// "$end" are not a record.
TEST(FullBrim, RecordsWrittenWhole) {
  std::string whole = "$beg 40100012 BR\n$com located twice\n" + nl(loc()) +
                      nl(loc("$loc ", "35.500000")) + "$err  1.2 3.4\n" + nl(mag()) +
                      nl(mag("$mag ", "4.100")) + "$pha PASA HHZ P\n$end of event\n";
  std::string failing = rec({put(loc(), 102, "V "), mag()});
  std::string trailing = "$beg 3\n" + nl(loc()) + "$pha RIDG\n";
  std::string input = whole + failing + trailing;
  check_case(fbrim("selected", {}, input, whole));
  check_case(fbrim("negated", {"-negate"}, input, failing));
  check_case({"verbose", {"-format", "f_brim", "-verbose"}, {}, input, whole,
              "processing stdin ...\n2 lines, 1 selected\n", 0});
}

// A record closed without a location line is counted but neither tested
// nor written, and leaves the time bound alone.
TEST(FullBrim, RecordWithoutLocation) {
  std::string noloc = rec({"$beg 1", mag()});
  std::string failing = rec({put(loc(), 102, "V "), mag()});
  check_case({"counted, not written", {"-format", "f_brim", "-verbose", "-negate"}, {},
              noloc + failing, failing, "processing stdin ...\n2 lines, 1 selected\n", 0});

  auto at = [](const char* date) { return rec({put(loc(), 6, date), mag()}); };
  std::string a = at("20040510") + noloc;
  std::string b = at("20040508") + at("20040512");
  check_case({"time bound from the last located record",
              {"-format", "f_brim", "-time", "20040101000000", "20050101000000", "@a", "@b"},
              {{"a", a}, {"b", b}}, "", at("20040510") + at("20040512"), "", 0});
}

TEST(FullBrim, TimeCarriesOverToTheNextInput) {
  auto at = [](const char* date) { return rec({put(loc(), 6, date), mag()}); };
  std::string a = at("20040510") + at("20040506");
  std::string b = at("20040505") + at("20040508");
  std::vector<std::pair<std::string, std::string>> files = {{"a", a}, {"b", b}};
  check_case({"carry",
              {"-format", "f_brim", "-time", "20040101000000", "20050101000000", "@a", "@b"},
              files, "", a + at("20040508"), "", 0});
  check_case({"carry negated",
              {"-format", "f_brim", "-negate", "-time", "20040101000000", "20050101000000",
               "@a", "@b"},
              files, "", at("20040505"), "", 0});
}

// Lines longer than the buffer come in pieces; a piece that begins with
// "$end" closes the record, and every piece is written with it.
TEST(FullBrim, LongLinesAndLargeRecords) {
  std::string pieces = rec({loc(), std::string(700, 'x')}) + nl(loc()) +
                       std::string(511, 'y') + "$end\n";
  check_case({"pieces", {"-format", "f_brim", "-verbose"}, {}, pieces, pieces,
              "processing stdin ...\n2 lines, 2 selected\n", 0});

  // A large record, then a small one that chooses its own lines.
  std::vector<std::string> big = {loc(), mag("$magP", "4.400")};
  for (int i = 0; i < 3000; ++i) big.push_back("$pha station " + std::to_string(i));
  std::string large = rec(big);
  std::string small = rec({mag(), loc("$loc ", "35.500000")});
  check_case(fbrim("large record", {"-magnitude", "4.4", "4.4"}, large + small, large));
  check_case(fbrim("small record after it", {"-magnitude", "-10", "-10"}, large + small, small));
}

// Bytes after a NUL in the location line read as blanks in the summary;
// the record is still written as read.
TEST(FullBrim, NulInLocationLine) {
  std::string line = put(loc(), 40, std::string(1, '\0'));
  std::string input = rec({line, mag()});
  check_case(fbrim("longitude cut at the NUL", {"-longitude", "-117.2", "-117.2"}, input, input));
  check_case(fbrim("depth after the NUL", {"-depth", "-10000", "-10000"}, input, input));
}

}  // namespace
