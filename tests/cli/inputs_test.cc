// Where records come from: standard input, named files, compressed files,
// and the tarn layout settled by the first line of the first input.

#include "gtest/gtest.h"
#include "support/cli_harness.h"
#include "support/temp_dir.h"
#include "support/zwriter.h"

namespace {

// Old-layout tarn records of type E and Q, and a Y2K-layout one of type E
// at 2003-05-06.
const std::string kOld = record(0, {{1, "9501011230152537 4500122 3000"}, {77, "E"}});
const std::string kOldQ = record(0, {{1, "9501011230152537 4500122 3000"}, {77, "Q"}});
const std::string kY2k = record(0, {{1, "200305061230152537 4500122 3000"}, {81, "E"}});
const std::string kNoLayout = "Error: Unable to determine format for tarn_catalog\n";

TEST(Inputs, SourcesAndLayouts) {
  std::string many, selected;
  for (int i = 0; i < 20000; ++i) many += i % 3 ? kOld : kOldQ, selected += i % 3 ? kOld : "";
  const CliCase cases[] = {
      {"verbose_stdin", {"-verbose"}, {}, kOld + kOldQ, kOld, "processing stdin ...\n2 lines, 1 selected\n", 0},
      {"files_in_order_stdin_unread", w("@b @a"), {{"a", kOld}, {"b", kOldQ + kOld}}, kOld, kOld + kOld, "", 0},
      {"missing_file_after_output", w("@a nonexistent.cat @a"), {{"a", kOld}}, "", kOld,
       "Unable to open file nonexistent.cat\n", 1},
      // Only a name ending in ".Z" goes through the decompressor; the name
      // reaches it as one word, whatever the shell would make of it.
      {"compressed_then_plain", w("@1995.07.Z @a.z"), {{"1995.07.Z", compress_z(kOldQ + kOld)}, {"a.z", kOld}},
       "", kOld + kOld, "", 0},
      {"shell_characters", {"@a b;$(false)'x.Z"}, {{"a b;$(false)'x.Z", compress_z(kOld)}}, "", kOld, "", 0},
      // The layout is settled on the first line of the first input and
      // holds for every later input; the old layout is tried first.
      {"vesper_is_tarn_y2k", w("-format Vesper"), {}, kY2k, kY2k, "", 0},
      {"old_test_first", w("-etype a"), {}, record(0, {{1, "9501011230152537 4 0 122 3000"}}),
       record(0, {{1, "9501011230152537 4 0 122 3000"}}), "", 0},
      {"first_file_decides", w("-etype a -time 20030101000000 20031231000000 @a @b"),
       {{"a", kOld}, {"b", kY2k}}, "", "", "", 0},
      {"neither_layout", {}, {}, record(0, {{1, "199501011230152537x4500122x3000"}}), "", kNoLayout, 1},
      // Both hemisphere columns of a layout must hold one.
      {"y2k_latitude_only", {}, {}, record(0, {{1, "199501011230152537S4500122x3000"}}), "", kNoLayout, 1},
      {"y2k_longitude_only", {}, {}, record(0, {{1, "199501011230152537x4500122 3000"}}), "", kNoLayout, 1},
      {"past_the_end_is_not_blank", {}, {}, "95010112301525\n", "", kNoLayout, 1},
      // A NUL byte is no hemisphere character.
      {"nul_is_no_hemisphere", {}, {},
       record(0, {{1, "9501011230152537"}, {17, std::string(1, '\0')}, {18, "4500122 3000"}}), "",
       kNoLayout, 1},
      {"mech_neither_layout", w("-format mech"), {}, "xxxxxxxxxxxxxxxxxxxxxxxxxxxxx\n", "",
       "Error: Unable to determine format for tarn_mech\n", 1},
      // An empty first input is announced and decides nothing.
      {"empty_first", w("-verbose @e @a"), {{"e", ""}, {"a", kY2k + kY2k}}, "", kY2k + kY2k,
       "processing @e ... processing @a ... 2 lines, 2 selected\n", 0},
      // A large compressed file, read from the decompressor in short reads.
      {"large_compressed", w("-verbose @big.Z"), {{"big.Z", compress_z(many)}}, "", selected,
       "processing @big.Z ... 20000 lines, 13333 selected\n", 0},
  };
  for (const auto& c : cases) check_case(c);
}

TEST(Inputs, NameThatIsJustDotZIsPlain) {
  TempDir dir;
  dir.write(".Z", kOld);
  RunSetup setup;
  setup.cwd = dir.path();
  RunResult r = run_catsieve({".Z"}, setup);
  EXPECT_EQ(r.out + r.err, kOld);
  EXPECT_EQ(r.status, 0);
}

// A query that tests nothing of a format's records passes the input whole:
// over several blocks, a line longer than the line buffer, no final
// newline, the mechanism detector's first line; counted under -verbose.
TEST(Inputs, EveryRecordPassesWhole) {
  std::string mech = record(0, {{1, "950101 1230 15.25 37S45.12 122E30.00"}});
  std::string input;
  for (int i = 0; i < 4000; ++i) input += mech;
  input += std::string(400, '7') + "\n" + mech + "unended";
  for (const auto& [format, lines] : {std::pair<std::string, std::string>{"mech", "buf_lines"},
                                      {"orv", "lines"}, {"kelp", "lines"}}) {
    check_case({format, {"-format", format, "@in"}, {{"in", input}}, "", input, "", 0});
    check_case({format + " piped", {"-format", format}, {}, input, input, "", 0});
    // 4001 lines, the long one in 3 pieces, the unended one.
    check_case({format + " counted", {"-format", format, "-verbose"}, {}, input, input,
                "processing stdin ...\n4005 " + lines + ", 4005 selected\n", 0});
  }
}

}  // namespace
