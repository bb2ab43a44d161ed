// The command line: option lookup, help texts, argument checks and the
// exact messages and exit statuses of every way the options can fail.
#include <sstream>

#include "gtest/gtest.h"
#include "support/cli_harness.h"

namespace {

const char kHeader[] = "Option       Args            Remarks...\n\n";
const char kUsage[] = "Usage:  catsieve [options] [file...]\n";

const char kFirstRow[] = "-help        [opt...]        Print documentation\n";

// A run that reads nothing, with its standard error and exit status.
CliCase run(std::vector<std::string> args, std::string err, int status = 1) {
  return CliCase{joined(args), std::move(args), {}, "", "", std::move(err), status};
}
// A run ended by the option reader's own message line.
CliCase fails(std::vector<std::string> args, const std::string& message) {
  return run(std::move(args), "catsieve: " + message + "\n");
}
// A range option whose minimum exceeds its maximum names itself.
CliCase range(const std::string& option, const std::string& name, const char* min = "3", const char* max = "2") {
  return fails({option, min, max}, "minimum " + name + " value greater than maximum");
}

// An old-layout tarn record of type E.
const std::string kEvent = record(142, {{1, "9501011230"}, {15, "37 3000122 3000"}, {77, "E"}});
const std::string kHelpLat = "-latitude    min max         Latitude range (d[:m[:s]])\n";
const std::string kBadUnit("Bad time offset unit \"\0\"", 24);

TEST(Options, MessagesAndStatuses) {
  const CliCase cases[] = {
      run(w("-help -lat -nm0 -no"), kHeader + kHelpLat +
          "-nm0         min max         Range of number of observations for scalar moment   [orv only]\n"
          "-no_mag                      Include events which have no reported magnitude [brim]\n"),
      run(w("-help -lat -d"), kHeader + kHelpLat + "catsieve: option \"-d\" is ambiguous: cf.  -depth -delta\n"),
      run(w("-verbose -help"), kHeader), fails(w("-TIME 1 2"), "Option \"-TIME\" not known"),
      fails({"-felty"}, "Option \"-felty\" not known"),
      run({"-m"}, "catsieve: option \"-m\" is ambiguous: cf.  -mtype -magnitude -m0\n"),
      run(w("-t 19950101000000 19950102000000 -mag 0 9 -no -ne -nm0 1 2"), "", 0),
      // A word after the first file name is a file; before it, a word
      // beginning with "-" may be an argument.
      {"minus_word_after_file", w("@cat -x"), {{"cat", kEvent}}, "", kEvent, "Unable to open file -x\n", 1},
      {"negative_argument", w("-latitude -40 40 @cat"), {{"cat", kEvent}}, "", kEvent, "", 0},
      fails(w("-latitude 10"), "Too few args"), fails(w("-depth 1"), "Numeric arg needed"),
      fails(w("-depth 5km 10"), "Numeric arg needed"),
      // Only the character set is checked; equal bounds pass; counts are
      // truncated before they are compared.
      run(w("-depth +-e 1e3 -gap -.5 1 -rms 10 10 -nstations 5.9 5.2"), "", 0),
      fails(w("-time 1995010100000 19960101000000"), "Bad date format: \"1995010100000\""),
      fails(w("-time 199501010000000 19960101000000"), "Bad date format: \"199501010000000\""),
      fails(w("-time 19950101000000x 19960101000000"), "Illegal sign character \"x\""),
      fails(w("-time 19950101000000+1e2h 19960101000000"), "Bad time offset unit \"e\""),
      fails(w("-time 19950101000000+10 19960101000000"), kBadUnit),
      fails(w("-delta 38 -122 50 10"), "minimum delta value greater than maximum"),
      fails(w("-delta 38 -122 0 30000"), "max delta 30000.000000 value greater 1/2 earth circumference"),
      fails(w("-delta 38 -122 -5 10"), "min delta -5.000000 value < 0 "),
      fails(w("-delta 38 -122 0 0"), "max delta 0.000000 value <= 0 "),
      fails(w("-polygon 0 0 1 1 -depth 0 1"), "Polygon needs at least three vertices"),
      range("-time", "time", "19960101000000", "19950101000000"), range("-latitude", "latitude", "10", "-10:30"),
      range("-longitude", "longitude"), range("-depth", "depth"), range("-magnitude", "magnitude"),
      range("-closest", "close"), range("-nstations", "nstations", "6", "5.9"), range("-rms", "rms"),
      range("-gap", "gap"), range("-nmag", "nobs for mag"), range("-m0", "M0"), range("-nm0", "nobs for M0"),
      range("-errtime", "o-time error"), range("-errlat", "lat error"), range("-errlon", "lon error"),
      range("-errhoriz", "horizontal error"), range("-errdepth", "depth error"),
      run(w("-format me"), "error - invalid format\n"),
      // tarn has the code of no format at all; the second word is not looked at.
      run(w("-format tarn -format xyz"), "error - only 1 format allowed\n"),
      run(w("-mtype md,foo"), "invalid magtype: foo\n"), run(w("-mtype md,,mx"), "invalid magtype: \n"),
      run(w("-mtype MD,Amp,"), "", 0),
      run(w("-mtype ml,ml,ml,ml,ml,ml,ml,ml,ml,ml,ml,ml,ml,ml,ml,bogus"), "", 0),  // 15 at most
  };
  for (const auto& c : cases) check_case(c);
  RunResult help = run_catsieve({"-help"});
  EXPECT_EQ(help.err.rfind(kUsage + std::string(kHeader) + kFirstRow, 0), 0u) << help.err;
  EXPECT_EQ(help.out + std::to_string(help.status), "1");
  // A lone minus sign lists every name, the padded "-nm0" row included.
  RunResult minus = run_catsieve({"-"});
  EXPECT_EQ(minus.err.substr(0, 53), "catsieve: option \"-\" is ambiguous: cf.  -help -negate");
  EXPECT_NE(minus.err.find(" -nm0     -errtime -errlat "), std::string::npos) << minus.err;
  EXPECT_EQ(minus.err.substr(minus.err.size() - 15) + std::to_string(minus.status), " -felt -no_mag\n1");
}

// --help names every option of the classic table, each at the start of a line.
TEST(LongHelp, NamesEveryClassicOptionAndVersion) {
  RunResult table = run_catsieve({"-help"}), help = run_catsieve({"--help"});
  EXPECT_EQ(help.err + std::to_string(help.status), "0");
  EXPECT_EQ(help.out.rfind("Usage: catsieve [options] [file...]\n", 0), 0u);
  std::istringstream rows(table.err.substr(table.err.find("\n\n") + 2));
  int names = 0;
  for (std::string row; std::getline(rows, row); ++names)
    EXPECT_NE(help.out.find("\n  " + row.substr(0, row.find(' ')) + " "), std::string::npos) << row;
  EXPECT_EQ(names, 29);
  // The first of them ends the run; options before it count as read.
  for (const Args& args : {Args{"--version"}, w("-depth 0 10 --version --help")}) {
    RunResult r = run_catsieve(args);
    EXPECT_EQ(r.out + r.err + std::to_string(r.status), "catsieve " CATSIEVE_VERSION "\n0");
  }
}

}  // namespace
