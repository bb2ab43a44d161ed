// The command line: options, help texts, --since and --until, and the messages of each mistake.
#include "support/harness.h"

namespace {

const char kHeader[] = "Option       Args            Remarks...\n\n";
const std::string kIso =
    "yyyy-mm-dd[Thh:mm[:ss[.s]]] in UTC, with an optional Z or an offset such as +01:00";
const std::string kOrders = "time, time-asc, magnitude or magnitude-asc";
const std::string kMixed = "-time cannot be combined with --since or --until: use either, e.g. "
                           "-time 19950214000000 19950301000000 or --since 1995-02-14 --until "
                           "1995-03-01";

// Runs that read nothing: what they say and their status; the option reader's own message line;
// a range option whose minimum exceeds its maximum, named in the message.
CliCase run(const Args& args, const std::string& err, int status = 1) {
  return {joined(args), args, {}, "", "", err, status};
}
CliCase fails(const std::string& args, const std::string& message) {
  return run(w(args), "catsieve: " + message + "\n");
}
CliCase range(const std::string& option, const std::string& name, const char* min_max = "3 2") {
  return fails(option + " " + min_max, "minimum " + name + " value greater than maximum");
}

TEST(Options, MessagesAndStatuses) {
  const CliCase cases[] = {
      run(w("-verbose -help"), kHeader), fails("-TIME 1 2", "Option \"-TIME\" not known"),
      fails("-felty", "Option \"-felty\" not known"),
      // A word after the first file name is a file; before it, a word beginning with "-" may be an
      // argument.
      {"minus_after_file", w("@cat -x"), {{"cat", kOld}}, "", kOld, "Unable to open file -x\n", 1},
      {"negative_argument", w("-latitude -40 40 @cat"), {{"cat", kOld}}, "", kOld, "", 0},
      fails("-latitude 10", "Too few args"), fails("-depth 1", "Numeric arg needed"),
      fails("-depth 5km 10", "Numeric arg needed"),
      // Only the character set is checked; equal bounds pass; counts are truncated before they are
      // compared.
      run(w("-depth +-e 1e3 -gap -.5 1 -rms 10 10 -nstations 5.9 5.2"), "", 0),
      fails("-time 1995010100000 19960101000000", "Bad date format: \"1995010100000\""),
      fails("-time 199501010000000 19960101000000", "Bad date format: \"199501010000000\""),
      fails("-time 19950101000000x 19960101000000", "Illegal sign character \"x\""),
      fails("-time 19950101000000+1e2h 19960101000000", "Bad time offset unit \"e\""),
      fails("-time 19950101000000+10 19960101000000",
            std::string("Bad time offset unit \"\0\"", 24)),
      fails("-delta 38 -122 50 10", "minimum delta value greater than maximum"),
      fails("-delta 38 -122 0 30000",
            "max delta 30000.000000 value greater 1/2 earth circumference"),
      fails("-delta 38 -122 -5 10", "min delta -5.000000 value < 0 "),
      fails("-delta 38 -122 0 0", "max delta 0.000000 value <= 0 "),
      fails("-polygon 0 0 1 1 -depth 0 1", "Polygon needs at least three vertices"),
      // The numeric ranges are checked from the table (options_table_test.cc).
      range("-time", "time", "19960101000000 19950101000000"),
      range("-latitude", "latitude", "10 -10:30"), range("-longitude", "longitude"),
      run(w("-format me"), "error - invalid format\n"),
      // tarn has the code of no format at all; the second word is not looked at.
      run(w("-format tarn -format xyz"), "error - only 1 format allowed\n"),
      run(w("-mtype md,foo"), "invalid magtype: foo\n"),
      run(w("-mtype md,,mx"), "invalid magtype: \n"), run(w("-mtype MD,Amp,"), "", 0),
      run(w("-mtype ml,ml,ml,ml,ml,ml,ml,ml,ml,ml,ml,ml,ml,ml,ml,bogus"), "", 0),  // 15 at most
      // --since and --until take ISO date-times, --until also an offset.
      fails("--since 1995-2-14", "--since \"1995-2-14\": expected a date-time " + kIso),
      fails("--until tomorrow", "--until \"tomorrow\": expected a date-time " + kIso +
                                    ", or an offset from --since such as +30d"),
      fails("--since 1995-02-14 -time 19950101000000 99991231235959", kMixed),
      fails("-t 19950101000000 99991231235959 --until 1995-02-14", kMixed),
      fails("--until +30d --since 1995-02-14", "--until \"+30d\": an offset counts from --since, "
            "which must come before it, e.g. --since 1995-02-14 --until +30d"),
      fails("--since 1995-02-14 --until +30x", "Bad time offset unit \"x\""),
      fails("--since 1995-02-14 --until 1995-02-13T23:59:59",
            "minimum time value greater than maximum"),
      fails("--until", "--until needs a date-time " + kIso),
      fails("--sinc 1995-02-14", "Option \"--sinc\" not known"),
      // Counts are whole numbers of 1 or more, written in digits; a huge one stands for no bound.
      fails("--limit 0", "--limit: \"0\" is not a whole number of 1 or more"),
      fails("--offset 1.5", "--offset: \"1.5\" is not a whole number of 1 or more"),
      fails("--max-events -3", "--max-events: \"-3\" is not a whole number of 1 or more"),
      fails("--limit", "--limit needs a whole number of 1 or more"),
      run(w("--limit 99999999999999999999 --offset 007 --max-events 1"), "", 0),
      fails("--orderby size", "--orderby: \"size\" is no order: " + kOrders),
      fails("--orderby", "--orderby needs an order: " + kOrders),
      // --version ends the run; options before it count as read.
      {"version first", w("-depth 0 10 --version --help"), {}, "",
       "catsieve " CATSIEVE_VERSION "\n", "", 0},
};
  for (const auto& c : cases) check_case(c);
  RunResult help = run_catsieve({"-help"});
  EXPECT_EQ(help.err.rfind("Usage:  catsieve [options] [file...]\n" + std::string(kHeader) +
                               "-help        [opt...]        Print documentation\n", 0),
            0u) << help.err;
  EXPECT_EQ(help.out + std::to_string(help.status), "1");
  RunResult long_help = run_catsieve({"--help"});
  EXPECT_EQ(long_help.err + std::to_string(long_help.status) + long_help.out.substr(0, 36),
            "0Usage: catsieve [options] [file...]\n");
}

// Records at the edges of every ISO form's precision: tarn events at yymmddhhmm and seconds in
// hundredths.
std::string catalog() {
  std::string c;
  for (const std::string& t : w("95021323595999 95021400000000 95021403205999 95021403210000 "
                                "95021403210699 95021403210700 95021403210741 95021403210742 "
                                "95021403210743 95021403220000 95021515210000 95021515210001 "
                                "95031603210000 95031603210001 96010100000000"))
    c += tarn(t, t);
  return c;
}

// --since and --until select as -time of the same interval does.
TEST(SinceUntil, SameAsTime) {
  const std::pair<Args, std::string> cases[] = {
      {w("--since 1995-02-14T03:21:07"), "19950214032107 99991231235959"},
      {{"--since", "1995-02-14 03:21:07.42Z"}, "19950214032107.42 99991231235959"},
      {w("--until 1995-02-14"), "17000101000000 19950214000000"},
      {w("--since 1995-02-14T03:21 --until +1d12h"), "19950214032100 19950214032100+1d12h"},
      {w("--until 1995-02-14T03:21:07.42 --since 1995-02-14T03:21:07"),
       "19950214032107 19950214032107.42"}};
  for (const auto& [iso_args, interval] : cases) {
    RunResult iso = run_catsieve(iso_args, catalog());
    RunResult classic = run_catsieve(w("-time " + interval), catalog());
    EXPECT_TRUE(iso.out == classic.out && iso.out != "" && iso.out != catalog()) << interval;
    EXPECT_EQ(iso.err + std::to_string(iso.status), "0") << interval;
  }
}

}  // namespace
