// --since and --until against the -time run of the same interval, on
// records at the edges of every form's precision, and their errors.
#include <string>
#include <vector>

#include "gtest/gtest.h"
#include "support/cli_harness.h"

namespace {

// A tarn catalog event of the old layout at yymmddhhmm and seconds ssss
// (hundredths).
std::string at(const std::string& minute, const std::string& hundredths) {
  return record(80, {{1, minute + hundredths}, {50, minute + hundredths}});
}

const std::string kCatalog =
    at("9502132359", "5999") + at("9502140000", "0000") + at("9502140320", "5999") +
    at("9502140321", "0000") + at("9502140321", "0699") + at("9502140321", "0700") +
    at("9502140321", "0741") + at("9502140321", "0742") + at("9502140321", "0743") +
    at("9502140322", "0000") + at("9502151521", "0000") + at("9502151521", "0001") +
    at("9503160321", "0000") + at("9503160321", "0001") + at("9601010000", "0000");

const char kFar[] = "99991231235959";
const char kStart[] = "17000101000000";

TEST(SinceUntil, SameAsTime) {
  const struct { Args iso, classic; } cases[] = {
      {w("--since 1995-02-14"), {"-time", "19950214000000", kFar}},
      {w("--since 1995-02-14T03:21Z"), {"-time", "19950214032100", kFar}},
      {w("--since 1995-02-14T03:21:07"), {"-time", "19950214032107", kFar}},
      {{"--since", "1995-02-14 03:21:07.42Z"}, {"-time", "19950214032107.42", kFar}},
      {w("--until 1995-02-14"), {"-time", kStart, "19950214000000"}},
      {w("--until 1995-02-14T03:21Z"), {"-time", kStart, "19950214032100"}},
      {{"--until", "1995-02-14 03:21:07.42Z"}, {"-time", kStart, "19950214032107.42"}},
      {w("--since 1995-02-14T03:21 --until +30d"), w("-time 19950214032100 19950214032100+30d")},
      {w("--since 1995-02-14T03:21 --until +1d12h"), w("-time 19950214032100 19950214032100+1d12h")},
      {w("--until 1995-02-14T03:21:07.42 --since 1995-02-14T03:21:07"),
       w("-time 19950214032107 19950214032107.42")},
  };
  for (const auto& c : cases) {
    std::string label = ::testing::PrintToString(c.iso);
    RunResult iso = run_catsieve(c.iso, kCatalog), classic = run_catsieve(c.classic, kCatalog);
    EXPECT_EQ(iso.out, classic.out) << label;
    EXPECT_NE(iso.out, "") << label;
    EXPECT_NE(iso.out, kCatalog) << label;
    EXPECT_EQ(iso.err + std::to_string(iso.status), "0") << label;
  }
}

TEST(SinceUntil, Errors) {
  const std::string form = "yyyy-mm-dd[Thh:mm[:ss[.s]]][Z] in UTC, e.g. 1995-02-14T03:21:07";
  const std::string mixed =
      "catsieve: -time cannot be combined with --since or --until: use either, e.g. "
      "-time 19950214000000 19950301000000 or --since 1995-02-14 --until 1995-03-01\n";
  auto bad = [&](const char* option, const char* word) {
    std::string m = std::string("catsieve: ") + option + " \"" + word +
                    "\": expected a date-time " + form;
    if (std::string(option) == "--until") m += ", or an offset from --since such as +30d";
    return CliCase{word, {option, word}, {}, kCatalog, "", m + "\n", 1};
  };
  const CliCase cases[] = {
      bad("--since", "1995-2-14"), bad("--since", "1995-02-14T03:21:07+01:00"), bad("--until", "tomorrow"),
      {"since_then_time", {"--since", "1995-02-14", "-time", "19950101000000", kFar}, {},
       kCatalog, "", mixed, 1},
      {"time_then_until", {"-t", "19950101000000", kFar, "--until", "1995-02-14"}, {},
       kCatalog, "", mixed, 1}, {"offset_first", w("--until +30d --since 1995-02-14"), {}, kCatalog, "",
       "catsieve: --until \"+30d\": an offset counts from --since, which must come before "
       "it, e.g. --since 1995-02-14 --until +30d\n", 1},
      {"offset_unit", w("--since 1995-02-14 --until +30x"), {}, kCatalog, "",
       "catsieve: Bad time offset unit \"x\"\n", 1},
      {"reversed", w("--since 1995-02-14 --until 1995-02-13T23:59:59"), {}, kCatalog,
       "", "catsieve: minimum time value greater than maximum\n", 1},
      {"missing", {"--until"}, {}, kCatalog, "", "catsieve: --until needs a date-time " + form + "\n", 1},
      {"exact_names_only", w("--sinc 1995-02-14"), {}, kCatalog, "",
       "catsieve: Option \"--sinc\" not known\n", 1},
  };
  for (const auto& c : cases) check_case(c);
}

}  // namespace
