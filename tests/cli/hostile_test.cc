// Damaged, hostile and odd inputs and outputs: the program neither crashes
// nor loses a record, and says what went wrong in its own words.
#include "gtest/gtest.h"
#include "support/cli_harness.h"
#include "support/temp_dir.h"

namespace {

const std::string kEvent = record(0, {{1, "9501011230152537 4500122 3000"}, {77, "E"}});

TEST(Hostile, BinaryJunkAfterAGoodFirstLine) {
  std::string junk;
  unsigned x = 1;
  for (int i = 0; i < 300000; ++i) junk += static_cast<char>((x = x * 1103515245u + 12345u) >> 16);
  for (const std::string fmt : {"tarn", "mech", "orv", "brim", "kelp", "f_brim"}) {
    RunResult some = run_catsieve(w("-format " + fmt + " -depth 0 10"), kEvent + junk);
    RunResult rest = run_catsieve(w("-format " + fmt + " -depth 0 10 -negate"), kEvent + junk);
    EXPECT_TRUE(some.status == 0 || some.err.find("Unable to determine format") != std::string::npos) << fmt;
    EXPECT_EQ(some.status, rest.status) << fmt;
    // Whatever is selected and whatever is not add up to the input.
    if (some.status == 0 && fmt != "f_brim") {
      EXPECT_EQ(some.out.size() + rest.out.size(), kEvent.size() + junk.size()) << fmt;
    }
  }
}

TEST(Hostile, LineEndsAndEmptyInputs) {
  // Each input is written back whole: blank lines are of type E, as is a
  // record ending in a carriage return, NUL bytes or no newline.
  const std::string body = kEvent.substr(0, kEvent.size() - 1);
  for (const std::string& input : {std::string(), kEvent + "\n\n\n", body + "\r\n", kEvent + body,
                                   kEvent + std::string(5, '\0') + "\n"})
    check_case({"input of " + std::to_string(input.size()) + " bytes", {}, {}, input, input, "", 0});
}

TEST(Hostile, DirectoryNamedAsInput) {
  TempDir dir;
  std::string sub = dir.mkdir("sub");
  RunResult r = run_catsieve({dir.write("a", kEvent), sub});
  EXPECT_EQ(r.out + r.err, kEvent + "Unable to open file " + sub + "\n");
  EXPECT_EQ(r.status, 1);
}

TEST(Output, WriteErrorIsReported) {
  RunSetup setup;
  setup.input = kEvent;
  setup.out_path = "/dev/full";
  for (const Args& args : {Args{}, Args{"--help"}, Args{"--version"}}) {
    RunResult r = run_catsieve(args, setup);
    EXPECT_EQ(r.err, "catsieve: write error on standard output: No space left on device\n");
    EXPECT_EQ(r.status, 1);
  }
}

// Ended by the broken pipe (141 from the shell), with nothing said.
TEST(Output, ClosedPipeEndsQuietly) {
  TempDir dir;
  std::string big;
  for (int i = 0; i < 200000; ++i) big += kEvent;
  RunSetup s;
  s.program = "/bin/bash";
  s.env = {{"F", dir.write("big", big)}, {"E", dir.path() + "/err"}, {"BIN", CATSIEVE_BIN}};
  RunResult r = run_catsieve({"-c", "\"$BIN\" \"$F\" 2>\"$E\" | head -1 >/dev/null; echo ${PIPESTATUS[0]}; cat \"$E\""}, s);
  EXPECT_TRUE(r.out == "141\n" || r.out == "1\n") << r.out;
}

}  // namespace
