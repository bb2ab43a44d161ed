// Command-line tests of the brim summary reader.
#include <string>
#include <vector>

#include "gtest/gtest.h"
#include "support/cli_harness.h"

namespace {

// Puts text at its first column (from 1), widening the line with blanks.
std::string put(std::string s, int col, const std::string& text) {
  size_t at = static_cast<size_t>(col - 1);
  if (s.size() < at + text.size()) s.resize(at + text.size(), ' ');
  return s.replace(at, text.size(), text);
}

// A 258-column line, without its newline, with every field filled and the
// unread columns filled with 9s, so that a field read one column off, or
// one column too wide, reads another value.
std::string full(const std::string& id = "B0001") {
  std::string s(258, '9');
  const std::pair<int, const char*> fields[] = {
      {1, "B0001"},        {6, "20030506"},   {14, "0708"},       {18, "09.5000"},
      {25, "34.500000"},   {34, "-117.25000"}, {44, "12.50000"},  {57, " 125"},
      {61, "123"},         {64, "12.3456789"}, {74, "0.15000"},   {81, "0.30000"},
      {95, "1.20000"},     {102, "  "},        {130, "3.400"},    {140, " 123"},
      {239, "0.80000000"}, {249, "0.90000000"},
  };
  for (const auto& f : fields) s = put(s, f.first, f.second);
  return put(s, 1, id);
}

std::string nl(const std::string& s) { return s + "\n"; }
// The first n characters of a line, then a newline.
std::string cut(const std::string& s, size_t n) { return s.substr(0, n) + "\n"; }

CliCase brim(const std::string& name, std::vector<std::string> args, const std::string& input,
             const std::string& out) {
  args.insert(args.begin(), {"-format", "brim"});
  args.push_back("@in");
  return {name, args, {{"in", input}}, "", out, "", 0};
}

TEST(BrimCatalog, FieldColumnsAndInclusiveBounds) {
  struct Row {
    const char* opt;
    const char* value;  // the value the full line holds
    const char* above;  // just above it
    const char* high;
  };
  const Row rows[] = {
      {"-time", "20030506070809.5", "20030506070809.6", "20040101000000"},
      {"-latitude", "34.5", "34.5001", "90"},
      {"-longitude", "-117.25", "-117.2499", "0"},
      {"-depth", "12.5", "12.5001", "100"},
      {"-nstations", "125", "126", "999"},
      {"-gap", "123", "123.5", "360"},
      {"-closest", "12.3456789", "12.346", "100"},
      {"-rms", "0.15", "0.1501", "9"},
      {"-errtime", "0.3", "0.3001", "9"},
      {"-errdepth", "1.2", "1.2001", "9"},
      {"-magnitude", "3.4", "3.4001", "9"},
      {"-nmag", "123", "124", "999"},
      {"-errlat", "0.8", "0.8001", "9"},
      {"-errlon", "0.9", "0.9001", "9"},
  };
  std::string line = nl(full());
  for (const Row& r : rows) {
    check_case(brim(std::string(r.opt) + " at the value", {r.opt, r.value, r.value}, line, line));
    check_case(brim(std::string(r.opt) + " above the value", {r.opt, r.above, r.high}, line, ""));
  }
}

// Each optional field is missing when blank, or when the line (newline
// included) ends before the field's last column; a line that reaches the
// last column with its newline still holds the field.
TEST(BrimCatalog, MissingValueMarkers) {
  struct Row {
    const char* opt;
    int col, width;
    const char* marker;
  };
  const Row rows[] = {
      {"-depth", 44, 8, "-10000"},    {"-nstations", 57, 4, "-1"}, {"-gap", 61, 3, "-1"},
      {"-closest", 64, 10, "-1"},     {"-rms", 74, 7, "-1"},       {"-errtime", 81, 7, "-1"},
      {"-errdepth", 95, 7, "-1"},     {"-magnitude", 130, 5, "-10"}, {"-nmag", 140, 4, "-1"},
      {"-errlat", 239, 10, "-1"},     {"-errlon", 249, 10, "-1"},
  };
  for (const Row& r : rows) {
    size_t last = static_cast<size_t>(r.col + r.width - 1);
    std::string blank = nl(put(full("B0002"), r.col, std::string(static_cast<size_t>(r.width), ' ')));
    std::string shorter = cut(full("B0003"), last - 2);
    std::string reaching = cut(full("B0004"), last - 1);
    check_case(brim(std::string(r.opt) + " marker", {r.opt, r.marker, r.marker},
                    nl(full()) + blank + shorter + reaching, blank + shorter));
  }
}

TEST(BrimCatalog, MissingValueComparedWithBounds) {
  std::string blank = nl(put(full("B0002"), 44, "        "));
  std::string input = nl(full()) + blank;
  check_case(brim("missing depth fails 0 100", {"-depth", "0", "100"}, input, nl(full())));
  check_case(brim("missing depth passes -20000 100", {"-depth", "-20000", "100"}, input, input));
}

TEST(BrimCatalog, NoMag) {
  std::string blank = nl(put(full("B0002"), 130, "     "));
  std::string small = nl(put(full("B0003"), 130, "1.500"));
  std::string shorter = cut(full("B0004"), 120);
  std::string input = nl(full()) + blank + small + shorter;
  check_case(brim("missing passes with -no_mag", {"-magnitude", "2", "9", "-no_mag"}, input,
                  nl(full()) + blank + shorter));
  check_case(brim("missing fails without -no_mag", {"-magnitude", "2", "9"}, input, nl(full())));
}

// One line per code in columns 102-103, told apart by their first columns.
std::string with_types(const std::vector<std::string>& codes) {
  std::string s;
  for (size_t i = 0; i < codes.size(); ++i)
    s += nl(put(full("T" + std::to_string(100 + i)), 102, codes[i]));
  return s;
}

TEST(BrimCatalog, EventTypesAndFelt) {
  const std::vector<std::string> codes = {"  ", "Q ", "eF", "E ", "V ", " B",
                                          "n ", "H ", "f ", " D", "C ", "x "};
  std::string input = with_types(codes);
  struct Row {
    std::vector<std::string> args;
    std::vector<std::string> selected;
  };
  const Row rows[] = {
      {{}, {"  ", "eF", "V ", "f ", " D", "C "}},
      {{"-negate"}, {"Q ", "E ", " B", "n ", "H ", "x "}},
      {{"-etype", "b"}, {"Q ", " B", "n "}},
      {{"-etype", "qe"}, {"  ", "Q ", "eF", "V ", "f ", " D", "C "}},
      {{"-etype", "h"}, {"H "}},
      {{"-etype", "ha"}, codes},
      {{"-felt", "-etype", "a"}, {"eF", " D", "C "}},
      {{"-felt"}, {"eF", " D", "C "}},
  };
  for (const Row& r : rows) {
    std::string out, name;
    for (const auto& a : r.args) name += a + " ";
    for (size_t i = 0; i < codes.size(); ++i)
      for (const auto& c : r.selected)
        if (c == codes[i]) out += nl(put(full("T" + std::to_string(100 + i)), 102, codes[i]));
    check_case(brim("types " + name, r.args, input, out));
  }
}

// Columns past the end of a short line read as blanks, never as what an
// earlier, longer line held there; two blank type columns mean E.
TEST(BrimCatalog, ShortLines) {
  std::string shorter = cut(full("B0002"), 13);
  std::string input = nl(full()) + shorter;
  check_case(brim("latitude of the long line", {"-latitude", "34", "35"}, input, nl(full())));
  check_case(brim("latitude 0 past the end", {"-latitude", "0", "0"}, input, shorter));
  check_case(brim("time fields past the end", {"-time", "20030506000000", "20030506000000"},
                  input, shorter));
}

TEST(BrimCatalog, LineLongerThanTheBuffer) {
  std::string line = put(put(full(), 600, "9"), 511 + 44, "50.00000") + "\n";
  check_case(brim("second piece", {"-depth", "40", "60"}, line, line.substr(511)));
  check_case(brim("first piece", {"-depth", "12.5", "12.5"}, line, line.substr(0, 511)));
  check_case({"verbose counts pieces",
              {"-format", "brim", "-verbose", "-depth", "40", "60"},
              {}, line, line.substr(511), "processing stdin ...\n2 lines, 1 selected, \n", 0});
}

TEST(BrimCatalog, Verbose) {
  std::string input = with_types({"  ", "Q ", "H "});
  check_case({"verbose", {"-format", "brim", "-verbose"}, {}, input, with_types({"  "}),
              "processing stdin ...\n3 lines, 1 selected, \n", 0});
}

// The origin time of the last line of one input is the lower time bound
// of the next; it is the last line's, not the latest.
TEST(BrimCatalog, TimeCarriesOverToTheNextInput) {
  auto at = [](const char* id, const char* date) { return nl(put(full(id), 6, date)); };
  std::string a = at("A0001", "20030510") + at("A0002", "20030506");
  std::string b = at("B0001", "20030505") + at("B0002", "20030508");
  std::vector<std::pair<std::string, std::string>> files = {{"a", a}, {"b", b}};
  check_case({"carry",
              {"-format", "brim", "-time", "20030101000000", "20040101000000", "@a", "@b"},
              files, "", a + at("B0002", "20030508"), "", 0});
  check_case({"carry negated",
              {"-format", "brim", "-negate", "-time", "20030101000000", "20040101000000", "@a",
               "@b"},
              files, "", at("B0001", "20030505"), "", 0});
}

}  // namespace
