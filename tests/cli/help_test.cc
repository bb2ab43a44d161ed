// --help and --version: standard output, status 0, and a help that knows
// every option of the classic table.
#include <sstream>
#include <string>

#include "gtest/gtest.h"
#include "support/cli_harness.h"

namespace {

TEST(LongHelp, NamesEveryClassicOption) {
  RunResult table = run_catsieve({"-help"});
  RunResult help = run_catsieve({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.err, "");
  EXPECT_EQ(help.out.rfind("Usage: catsieve [options] [file...]\n", 0), 0u);
  // The rows of the classic table follow its header and an empty line.
  std::istringstream rows(table.err.substr(table.err.find("\n\n") + 2));
  int names = 0;
  for (std::string row; std::getline(rows, row); ++names) {
    std::string name = row.substr(0, row.find(' '));
    EXPECT_NE(help.out.find("\n  " + name + " "), std::string::npos) << name;
  }
  EXPECT_EQ(names, 29);
}

TEST(LongHelp, VersionAndStatus) {
  const struct {
    std::vector<std::string> args;
    std::string out;
  } cases[] = {
      {{"--version"}, "catsieve " CATSIEVE_VERSION "\n"},
      // The first of them ends the run; options before it count as read.
      {{"-depth", "0", "10", "--version", "--help"}, "catsieve " CATSIEVE_VERSION "\n"},
  };
  for (const auto& c : cases) {
    RunResult r = run_catsieve(c.args);
    EXPECT_EQ(r.out, c.out);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.status, 0);
  }
}

TEST(LongHelp, WriteErrorIsReported) {
  RunSetup setup;
  setup.out_path = "/dev/full";
  for (const char* option : {"--help", "--version"}) {
    RunResult r = run_catsieve({option}, setup);
    EXPECT_EQ(r.err, "catsieve: write error on standard output: No space left on device\n");
    EXPECT_EQ(r.status, 1);
  }
}

}  // namespace
