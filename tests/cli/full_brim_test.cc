// The full brim reader: the choice of location and magnitude lines, the
// summary line built from them, event types, records written whole, the
// line buffer and the time carried to the next input.
#include <algorithm>

#include "gtest/gtest.h"
#include "support/cli_harness.h"

namespace {

std::string put(std::string s, int col, const std::string& text) {
  size_t at = static_cast<size_t>(col - 1);
  if (s.size() < at + text.size()) s.resize(at + text.size(), ' ');
  return s.replace(at, text.size(), text);
}

// A location line in the brim summary columns, without its newline:
// 2004-05-06 07:08:09.5, the given latitude, -117.25, depth 12.5, 125
// stations, gap 123, closest 12.3456789, rms 0.15, time error 0.3, depth
// error 1.2, no event type; unread columns hold 9s.
std::string loc(const std::string& key = "$loc ", const std::string& lat = "34.500000") {
  std::string s = put(std::string(115, '9'), 6, "20040506070809.5000" + lat + "-117.25000");
  s = put(put(put(s, 44, "12.50000"), 57, " 125123"), 64, "12.34567890.150000.30000");
  return put(put(s, 95, "1.20000  "), 1, key);
}

// A magnitude line: magnitude in columns 7-11, observations in 17-20.
std::string mag(const std::string& key = "$mag ", const std::string& m = "3.400") {
  return key + " " + m + " ML    12 BR";
}

// A record of the given lines, closed by "$end".
std::string rec(const std::vector<std::string>& lines) {
  std::string r;
  for (const auto& l : lines) r += l + "\n";
  return r + "$end\n";
}

CliCase run(const Args& args, const std::string& in, const std::string& out) {
  return quiet(w("-format f_brim") + args, in, out);
}

// The first "$loc" and "$mag" lines are taken, unless a later one is marked
// "P"; a magnitude line that is the record's first line does not count.
// Each record follows one that chose other lines, which it must not inherit.
TEST(FullBrim, LineChoice) {
  const std::string b = "35.500000", c = "36.500000", x = "3.400", y = "4.400";
  const std::string before = rec({"$beg 0", mag("$magP", "5.400"), loc("$locP", "30.000000")});
  const struct { std::vector<std::string> lines; const char *lat, *mag; } rows[] = {
      {{loc(), loc("$loc ", b), mag("$mag ", x), mag("$mag ", y)}, "34.5", "3.4"},
      {{loc(), loc("$locP", b), loc("$locP", c), mag(), mag("$magP", y)}, "36.5", "4.4"},
      {{mag("$mag ", x), loc()}, "34.5", "-10"}, {{mag("$mag ", x), loc(), mag("$magP", y)}, "34.5", "4.4"},
      {{mag("$mag ", x), loc(), mag("$mag ", y)}, "34.5", "-10"},
  };
  for (const auto& r : rows) {
    std::string input = rec(r.lines), obs = std::string(r.mag) == "-10" ? "-1" : "12";
    check_case(run({"-latitude", r.lat, r.lat, "-magnitude", r.mag, r.mag, "-nmag", obs, obs},
                   before + input, input));
  }
}

// The summary line is the location line in 123 columns, then the magnitude
// line in 48: what lies past them, or is blank, takes the full brim markers.
TEST(FullBrim, SummaryLine) {
  std::string full = rec({put(put(loc(), 239, "0.80000000"), 249, "0.90000000"), mag()});
  std::string blank = rec({put(loc(), 44, std::string(58, ' '))});
  for (const std::string m : {"-depth -10000", "-nstations -1", "-gap -1", "-closest -1", "-rms -1", "-errtime -1",
                              "-errdepth -1", "-magnitude -10", "-nmag -1", "-errlat -1", "-errlon -1"}) {
    bool always = m.substr(0, 5) == "-errl";
    check_case(run(w(m + m.substr(m.find(' '))), full + blank, always ? full + blank : blank));
  }
  // The location line's newline stays in the summary line, where it is not
  // a blank; a NUL byte is data, and the fields after it stand at their
  // columns.
  std::string newline = rec({loc().substr(0, 43), mag()});
  check_case(run(w("-depth 0 0"), newline, newline));
  std::string nul = rec({put(put(loc(), 52, std::string(1, '\0')), 64, "    15.139"), mag()});
  check_case(run(w("-closest 15.139 15.139"), nul, nul));
  check_case(run(w("-closest -1 10.574"), nul, ""));
}

// E takes LTRFDC (not V), B takes Q and R; felt takes F, D or C.
TEST(FullBrim, EventTypesAndFelt) {
  const std::vector<std::string> codes = {"  ", "L ", " T", "R ", "eF", " D", "c ",
                                          "V ", "Q ", "B ", "N ", "E ", "H "};
  const std::pair<Args, std::vector<std::string>> rows[] = {
      {{}, {"  ", "L ", " T", "R ", "eF", " D", "c "}}, {w("-etype b"), {"R ", "Q "}},
      {w("-etype qnhr"), {"R ", "Q ", "N ", "H "}}, {w("-felt -etype a"), {"eF", " D"}},
  };
  auto typed = [](const std::string& code) { return rec({put(loc(), 102, code), mag()}); };
  std::string input;
  for (const auto& c : codes) input += typed(c);
  for (const auto& r : rows) {
    std::string out;
    for (const auto& c : codes)
      if (std::find(r.second.begin(), r.second.end(), c) != r.second.end()) out += typed(c);
    check_case(run(r.first, input, out));
  }
}

// A record is written byte for byte, every line of it.  A record without a
// location line is counted, never written, and leaves the time for the next
// input alone, as do lines after the last "$end", which are no record.
TEST(FullBrim, Records) {
  std::string whole = "$beg 40100012 BR\n$com located twice\n" + loc() + "\n" +
                      loc("$loc ", "35.500000") + "\n$err  1.2 3.4\n" + mag() + "\n" +
                      mag("$mag ", "4.100") + "\n$pha PASA HHZ P\n$end of event\n";
  std::string noloc = rec({"$beg 1", mag()}), failing = rec({put(loc(), 102, "V "), mag()});
  std::string input = whole + noloc + failing + "$beg 3\n" + loc() + "\n$pha RIDG\n";
  check_case(run({}, input, whole));
  check_case({"negated", w("-format f_brim -verbose -negate"), {}, input, failing,
              "processing stdin ...\n3 lines, 1 selected\n", 0});

  auto at = [](const char* date) { return rec({put(loc(), 6, date), mag()}); };
  check_case({"carry_over", w("-format f_brim -time 20040101000000 20050101000000 @a @b"),
              {{"a", at("20040510") + noloc + put(loc(), 6, "20040520")},
               {"b", at("20040508") + at("20040512")}}, "", at("20040510") + at("20040512"), "", 0});

  // Lines of at most 511 characters: a piece that begins with "$end" closes
  // the record, and every piece is written with it.
  std::string pieces = rec({loc(), std::string(700, 'x')}) + loc() + "\n" +
                       std::string(511, 'y') + "$end\n";
  check_case({"pieces", w("-format f_brim -verbose"), {}, pieces, pieces,
              "processing stdin ...\n2 lines, 2 selected\n", 0});

  // Records of many input blocks are written whole, around a short one
  // that is dropped.
  std::string big = "$beg 9\n" + loc() + "\n";
  for (int i = 0; i < 20000; ++i) big += "$pha STA" + std::to_string(i) + " HHZ P 1.25 0.5 onset\n";
  big += "$end\n";
  check_case({"long records", w("-format f_brim"), {}, whole + big + failing + big,
              whole + big + big, "", 0});
  check_case({"long records dropped", w("-format f_brim -negate"), {},
              big + failing + big + whole, failing, "", 0});
}

}  // namespace
