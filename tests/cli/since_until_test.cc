// --since and --until against the -time run of the same interval, on
// records at the edges of every form's precision, and their errors.

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

TEST(SinceUntil, SameAsTime) {
  const std::pair<Args, std::string> cases[] = {
      {w("--since 1995-02-14"), "19950214000000 99991231235959"},
      {w("--since 1995-02-14T03:21Z"), "19950214032100 99991231235959"},
      {w("--since 1995-02-14T03:21:07"), "19950214032107 99991231235959"},
      {{"--since", "1995-02-14 03:21:07.42Z"}, "19950214032107.42 99991231235959"},
      {w("--until 1995-02-14"), "17000101000000 19950214000000"},
      {{"--until", "1995-02-14 03:21:07.42Z"}, "17000101000000 19950214032107.42"},
      {w("--since 1995-02-14T03:21 --until +1d12h"), "19950214032100 19950214032100+1d12h"},
      {w("--until 1995-02-14T03:21:07.42 --since 1995-02-14T03:21:07"), "19950214032107 19950214032107.42"},
  };
  for (const auto& c : cases) {
    RunResult iso = run_catsieve(c.first, kCatalog), classic = run_catsieve(w("-time " + c.second), kCatalog);
    EXPECT_TRUE(iso.out == classic.out && iso.out != "" && iso.out != kCatalog) << joined(c.first);
    EXPECT_EQ(iso.err + std::to_string(iso.status), "0") << joined(c.first);
  }
}

TEST(SinceUntil, Errors) {
  const std::string form = "yyyy-mm-dd[Thh:mm[:ss[.s]]][Z] in UTC, e.g. 1995-02-14T03:21:07";
  const std::string mixed =
      "catsieve: -time cannot be combined with --since or --until: use either, e.g. "
      "-time 19950214000000 19950301000000 or --since 1995-02-14 --until 1995-03-01\n";
  auto bad = [&](const std::string& option, const std::string& word, std::string message = "") {
    if (message.empty())
      message = "catsieve: " + option + " \"" + word + "\": expected a date-time " + form +
                (option == "--until" ? ", or an offset from --since such as +30d\n" : "\n");
    return CliCase{word, w(option + " " + word), {}, kCatalog, "", message, 1};
  };
  const CliCase cases[] = {
      bad("--since", "1995-2-14"), bad("--since", "1995-02-14T03:21:07+01:00"), bad("--until", "tomorrow"),
      bad("--since", "1995-02-14 -time 19950101000000 99991231235959", mixed),
      bad("-t", "19950101000000 99991231235959 --until 1995-02-14", mixed),
      bad("--until", "+30d --since 1995-02-14", "catsieve: --until \"+30d\": an offset counts from --since, "
          "which must come before it, e.g. --since 1995-02-14 --until +30d\n"),
      bad("--since", "1995-02-14 --until +30x", "catsieve: Bad time offset unit \"x\"\n"),
      bad("--since", "1995-02-14 --until 1995-02-13T23:59:59", "catsieve: minimum time value greater than maximum\n"),
      {"missing", {"--until"}, {}, kCatalog, "", "catsieve: --until needs a date-time " + form + "\n", 1},
      bad("--sinc", "1995-02-14", "catsieve: Option \"--sinc\" not known\n"),
  };
  for (const auto& c : cases) check_case(c);
}

}  // namespace
