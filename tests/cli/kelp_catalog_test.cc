// Command-line tests of the kelp catalog reader.
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

// A 74-column line, without its newline, of day 123 of 2001 (3 May), the
// unread columns filled with 9s so that a field read one column off reads
// another value.
std::string full() {
  std::string s(74, '9');
  const std::pair<int, const char*> fields[] = {
      {1, "2001"},      {6, "123"},   {10, "04"},   {13, "05"},   {16, "06.2500"},
      {26, "-41.2500"}, {36, "174.75000"}, {46, "12.500"}, {53, "3.40"}, {61, "125"},
      {65, "123"},      {69, "0.15"}, {74, "B"},
  };
  for (const auto& f : fields) s = put(s, f.first, f.second);
  return s;
}

std::string nl(const std::string& s) { return s + "\n"; }

CliCase kelp(const std::string& name, std::vector<std::string> args, const std::string& input,
             const std::string& out) {
  args.insert(args.begin(), {"-format", "kelp"});
  args.push_back("@in");
  return {name, args, {{"in", input}}, "", out, "", 0};
}

TEST(KelpCatalog, FieldColumnsAndInclusiveBounds) {
  struct Row {
    const char* opt;
    const char* value;
    const char* above;
    const char* high;
  };
  const Row rows[] = {
      {"-time", "20010503040506.25", "20010503040506.26", "20020101000000"},
      {"-latitude", "-41.25", "-41.2499", "0"},
      {"-longitude", "174.75", "174.7501", "180"},
      {"-depth", "12.5", "12.5001", "100"},
      {"-magnitude", "3.4", "3.4001", "9"},
      {"-nstations", "125", "126", "999"},
      {"-rms", "0.15", "0.1501", "9"},
      {"-nmag", "123", "124", "999"},
  };
  std::string line = nl(full());
  for (const Row& r : rows) {
    check_case(kelp(std::string(r.opt) + " at the value", {r.opt, r.value, r.value}, line, line));
    check_case(kelp(std::string(r.opt) + " above the value", {r.opt, r.above, r.high}, line, ""));
  }
}

// Days of the year, leap years included; a day past the end of the year
// runs on into the next, a day of 0 or below back into the one before.
TEST(KelpCatalog, DayOfYearDates) {
  const std::pair<const char*, const char*> rows[] = {
      {"2001 001", "20010101"}, {"2001 059", "20010228"}, {"2000 059", "20000228"},
      {"2000 060", "20000229"}, {"2000 061", "20000301"}, {"1900 060", "19000301"},
      {"2000 335", "20001130"}, {"2000 336", "20001201"}, {"2000 366", "20001231"},
      {"2001 365", "20011231"}, {"2001 366", "20020101"}, {"2001 400", "20020204"},
      {"2001 000", "20001231"}, {"2001 -05", "20001226"},
  };
  for (const auto& r : rows) {
    std::string line = nl(put(put(full(), 1, r.first), 10, "00 00 00.0000"));
    std::string day = std::string(r.second) + "000000";
    check_case(kelp(std::string("day ") + r.first, {"-time", day, day}, line, line));
  }
}

TEST(KelpCatalog, QualityAndBlankFields) {
  std::string input;
  for (const char* q : {"B", "b", "c", " ", "a"}) input += nl(put(full(), 74, q));
  std::string ab = nl(put(full(), 74, "B")) + nl(put(full(), 74, "b")) + nl(put(full(), 74, "a"));
  check_case(kelp("quality ab", {"-quality", "ab"}, input, ab));
  check_case(kelp("quality AB", {"-quality", "AB"}, input, ab));

  std::string blank_mag = nl(put(full(), 53, "    "));
  check_case(kelp("no -no_mag exception", {"-magnitude", "2", "9", "-no_mag"}, blank_mag, ""));
  check_case(kelp("blank magnitude is 0", {"-magnitude", "0", "0"}, blank_mag, blank_mag));
  std::string blank_depth = nl(put(full(), 46, "      "));
  check_case(kelp("blank depth is 0", {"-depth", "0", "10"}, blank_depth, blank_depth));
}

TEST(KelpCatalog, NoEventTypes) {
  std::string input = nl(full()) + nl(put(full(), 74, "Q"));
  check_case(kelp("every line", {}, input, input));
  check_case(kelp("negate alone writes nothing", {"-negate"}, input, ""));
}

TEST(KelpCatalog, ShortLinesAndLongLines) {
  std::string shorter = "2001 123\n";
  std::string input = nl(full()) + shorter;
  check_case(kelp("latitude of the long line", {"-latitude", "-42", "-41"}, input, nl(full())));
  check_case(kelp("latitude 0 past the end", {"-latitude", "0", "0"}, input, shorter));

  std::string line = put(put(full(), 300, "9"), 199 + 26, "-40.0000") + "\n";
  check_case(kelp("second piece", {"-latitude", "-40", "-40"}, line, line.substr(199)));
  check_case({"verbose counts pieces",
              {"-format", "kelp", "-verbose", "-latitude", "-41.25", "-41.25"},
              {}, line, line.substr(0, 199), "processing stdin ...\n2 lines, 1 selected\n", 0});
}

TEST(KelpCatalog, TimeCarriesOverToTheNextInput) {
  auto at = [](const char* doy) { return nl(put(full(), 6, doy)); };
  std::string a = at("130") + at("126");
  std::string b = at("125") + at("128");
  std::vector<std::pair<std::string, std::string>> files = {{"a", a}, {"b", b}};
  check_case({"carry",
              {"-format", "kelp", "-time", "20010101000000", "20020101000000", "@a", "@b"},
              files, "", a + at("128"), "", 0});
  check_case({"carry negated",
              {"-format", "kelp", "-negate", "-time", "20010101000000", "20020101000000", "@a",
               "@b"},
              files, "", at("125"), "", 0});
}

}  // namespace
