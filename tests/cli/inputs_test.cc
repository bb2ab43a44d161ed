// Where records come from: standard input, named files, compressed files,
// and the tarn layout settled by the first line of the first input.
#include <string>

#include "gtest/gtest.h"
#include "support/cli_harness.h"
#include "support/temp_dir.h"
#include "support/zwriter.h"

namespace {

// One old-layout and one Y2K-layout tarn record, both of type E; the Y2K
// one at 2003-05-06.
const std::string kOld = record(0, {{1, "9501011230152537 4500122 3000"}, {77, "E"}});
const std::string kY2k = record(0, {{1, "200305061230152537 4500122 3000"}, {81, "E"}});
const std::string kOldQ = record(0, {{1, "9501011230152537 4500122 3000"}, {77, "Q"}});

class Inputs : public ::testing::TestWithParam<CliCase> {};
TEST_P(Inputs, Run) { check_case(GetParam()); }

INSTANTIATE_TEST_SUITE_P(Sources, Inputs, ::testing::Values(
    CliCase{"no_arguments_reads_stdin", {}, {}, kOld + kOldQ, kOld, "", 0},
    CliCase{"empty_stdin", {}, {}, "", "", "", 0},
    CliCase{"verbose_stdin", {"-verbose"}, {}, kOld, kOld, "processing stdin ...\n1 lines, 1 selected\n", 0},
    CliCase{"files_in_order_stdin_unread", {"@b", "@a"}, {{"a", kOld}, {"b", kOldQ + kOld}}, kOld,
            kOld + kOld, "", 0},
    CliCase{"missing_file_after_output", {"@a", "nonexistent.cat", "@a"}, {{"a", kOld}}, "", kOld,
            "Unable to open file nonexistent.cat\n", 1},
    CliCase{"lower_z_is_plain", {"@a.z"}, {{"a.z", kOld}}, "", kOld, "", 0},
    CliCase{"compressed", {"@1995.07.Z"}, {{"1995.07.Z", compress_z(kOldQ + kOld)}}, "", kOld, "", 0},
    CliCase{"compressed_name_with_shell_characters", {"@a b;$(false)'x.Z"},
            {{"a b;$(false)'x.Z", compress_z(kOld)}}, "", kOld, "", 0},
    CliCase{"compressed_then_plain", {"@a.Z", "@b"}, {{"a.Z", compress_z(kOld)}, {"b", kOld}}, "",
            kOld + kOld, "", 0}));

// The layout is settled once, on the first line of the first input that
// has one, and holds for every later input.
INSTANTIATE_TEST_SUITE_P(Layouts, Inputs, ::testing::Values(
    CliCase{"old", {}, {}, kOld, kOld, "", 0},
    CliCase{"y2k", {}, {}, kY2k, kY2k, "", 0},
    CliCase{"vesper_is_tarn", {"-format", "Vesper"}, {}, kY2k, kY2k, "", 0},
    CliCase{"old_test_comes_first", {"-etype", "a"}, {},
            record(0, {{1, "9501011230152537 4 0 122 3000"}}),
            record(0, {{1, "9501011230152537 4 0 122 3000"}}), "", 0},
    CliCase{"first_file_decides", {"-etype", "a", "-time", "20030101000000", "20031231000000", "@a", "@b"},
            {{"a", kOld}, {"b", kY2k}}, "", "", "", 0},
    CliCase{"empty_first_file_decides_nothing", {"@a", "@b"}, {{"a", ""}, {"b", kY2k}}, "",
            kY2k, "", 0},
    CliCase{"neither_layout", {}, {}, record(0, {{1, "199501011230152537x4500122x3000"}}), "",
            "Error: Unable to determine format for tarn_catalog\n", 1},
    CliCase{"short_first_line", {}, {}, "9501011230152537\n" + kOld, "",
            "Error: Unable to determine format for tarn_catalog\n", 1},
    CliCase{"past_the_end_is_not_blank", {}, {}, "95010112301525\n", "",
            "Error: Unable to determine format for tarn_catalog\n", 1},
    CliCase{"mech_neither_layout", {"-format", "mech"}, {}, "xxxxxxxxxxxxxxxxxxxxxxxxxxxxx\n", "",
            "Error: Unable to determine format for tarn_mech\n", 1}));

TEST(Inputs, VerboseAnnouncesEachFile) {
  TempDir dir;
  std::string empty = dir.write("empty", "");
  std::string full = dir.write("full", kY2k + kY2k);
  RunResult r = run_catsieve({"-verbose", empty, full});
  EXPECT_EQ(r.out, kY2k + kY2k);
  // The empty first file is announced, but has no summary.
  EXPECT_EQ(r.err, "processing " + empty + " ... processing " + full + " ... 2 lines, 2 selected\n");
  EXPECT_EQ(r.status, 0);
}

TEST(Inputs, NameThatIsJustDotZIsPlain) {
  TempDir dir;
  dir.write(".Z", kOld);
  RunSetup setup;
  setup.cwd = dir.path();
  RunResult r = run_catsieve({".Z"}, setup);
  EXPECT_EQ(r.out, kOld);
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.status, 0);
}

TEST(Inputs, MissingCompressedFileIsAnEmptyInput) {
  TempDir dir;
  std::string present = dir.write("b", kOld);
  RunResult r = run_catsieve({dir.path() + "/missing.Z", present});
  EXPECT_EQ(r.out, kOld);
  EXPECT_NE(r.err, "");  // the decompressor's own complaint
  EXPECT_EQ(r.status, 0);
}

TEST(Inputs, LargeCompressedFile) {
  std::string many;
  for (int i = 0; i < 20000; ++i) many += (i % 3 ? kOld : kOldQ);
  std::string selected;
  for (int i = 0; i < 20000; ++i)
    if (i % 3) selected += kOld;
  TempDir dir;
  std::string big = dir.write("big.Z", compress_z(many));
  RunResult r = run_catsieve({"-verbose", big});
  EXPECT_TRUE(r.out == selected) << r.out.size() << " bytes written";
  EXPECT_EQ(r.err, "processing " + big + " ... 20000 lines, 13333 selected\n");
  EXPECT_EQ(r.status, 0);
}

}  // namespace
