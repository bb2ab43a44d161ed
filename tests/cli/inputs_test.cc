// Where records come from and go: files, .Z files, the installed catalog, the tarn layout.
#include "support/harness.h"

namespace {

const std::string kOldQ = tarn("95010112301525", "", "Q");
const std::string kNoLayout = "Error: Unable to determine format for tarn_catalog\n";
const std::string kMech = record(0, {{1, "950101 1230 15.25 37S45.12 122E30.00"}});

TEST(Inputs, SourcesAndLayouts) {
  const std::string nul = record(0, {{1, "9501011230152537"}, {17, std::string(1, '\0')},
                                     {18, "4500122 3000"}});
  const CliCase cases[] = {
      {"verbose_stdin", {"-verbose"}, {}, kOld + kOldQ, kOld,
       "processing stdin ...\n2 lines, 1 selected\n", 0},
      {"files_in_order", w("@b @a"), {{"a", kOld}, {"b", kOldQ + kOld}}, kOld, kOld + kOld, "", 0},
      // Only a name ending in ".Z" goes through the decompressor; the name reaches it as one word,
      // whatever the shell would make of it.
      {"compressed_then_plain", w("@1995.07.Z @a.z"),
       {{"1995.07.Z", compress_z(kOldQ + kOld)}, {"a.z", kOld}}, "", kOld + kOld, "", 0},
      {"shell_characters", {"@a b;$(false)'x.Z"}, {{"a b;$(false)'x.Z", compress_z(kOld)}}, "",
       kOld, "", 0},
      // The first input's first line settles the layout, the old one tried first; both its
      // hemisphere columns must hold one (a NUL byte, or the end of the line, is none).
      {"old_test_first", w("-etype a"), {}, record(0, {{1, "9501011230152537 4 0 122 3000"}}),
       record(0, {{1, "9501011230152537 4 0 122 3000"}}), "", 0},
      {"first_file_decides", w("-etype a -time 20030101000000 20031231000000 @a @b"),
       {{"a", kOld}, {"b", kY2k}}, "", "", "", 0},
      {"neither", {}, {}, "199501011230152537x4500122x3000\n", "", kNoLayout, 1},
      {"y2k_lat_only", {}, {}, "199501011230152537S4500122x3000\n", "", kNoLayout, 1},
      {"y2k_lon_only", {}, {}, "199501011230152537x4500122 3000\n", "", kNoLayout, 1},
      {"past_the_end", {}, {}, "95010112301525\n", "", kNoLayout, 1},
      {"nul_is_no_hemisphere", {}, {}, nul, "", kNoLayout, 1},
      {"mech_neither", w("-format mech"), {}, std::string(29, 'x') + "\n", "",
       "Error: Unable to determine format for tarn_mech\n", 1},
      // An empty first input is announced and decides nothing.
      {"empty_first", w("-verbose @e @a"), {{"e", ""}, {"a", kY2k + kY2k}}, "", kY2k + kY2k,
       "processing @e ... processing @a ... 2 lines, 2 selected\n", 0},
      {"empty", {}, {}, "", "", "", 0}};
  for (const auto& c : cases) check_case(c);
  // Each input is written back whole: blank lines are of type E, as is a record ending in a
  // carriage return, NUL bytes or no newline.
  for (const std::string& in : {kOld + "\n\n\n", kOld.substr(0, 79) + "\r\n",
                                kOld + kOld.substr(0, 79), kOld + std::string(5, '\0') + "\n"})
    check_case(quiet({}, in, in));
  TempDir dir;  // a name that is just ".Z" is plain; a directory cannot be opened
  dir.write(".Z", kOld);
  RunSetup setup{"", {}, dir.path()};
  RunResult r = run_catsieve({".Z", dir.path()}, setup);
  EXPECT_EQ(r.out + r.err + std::to_string(r.status),
            kOld + "Unable to open file " + dir.path() + "\n1");
}

// A query that tests nothing of a format's records passes the input whole: blocks, lines at and
// past the record size, no final newline, the mechanism detector's first line; counted under
// -verbose and by --count, at the format's record size (how records are counted: field_test.cc).
TEST(Inputs, EveryRecordPassesWhole) {
  std::string input;
  for (int i = 0; i < 4000; ++i) input += kMech;
  for (size_t n : {148, 149, 198, 199, 350}) input += std::string(n, '7') + "\n";
  input += kMech + "unended";
  // 4001 lines, those of 149 characters and more in pieces of 149 (mech) or from 199 characters on
  // in pieces of 199 (orv, kelp), the unended one.
  for (const auto& [fmt, lines] : {std::pair<std::string, std::string>{"mech", "4012 buf_lines"},
                                   {"orv", "4009 lines"}, {"kelp", "4009 lines"}}) {
    check_case({fmt, {"-format", fmt, "@in"}, {{"in", input}}, "", input, "", 0});
    check_case({fmt + " counted", {"-format", fmt, "-verbose"}, {}, input, input,
                "processing stdin ...\n" + lines + ", " + lines.substr(0, 4) + " selected\n", 0});
    check_case({fmt + " --count", {"-format", fmt, "--count", "@in"}, {{"in", input}}, "",
                lines.substr(0, 4) + "\n", "", 0});
  }
}

// A listed magnitude type that the format lacks, met while the selected events are formatted (by
// this thread or the helper), ends the run once, after the rows of the events before it.
TEST(Output, MissingMagnitudeTypeEndsTheRunAfterTheRowsBefore) {
  const std::string avg = record(0, {{1, "950101 1230 15.25 37S45.12 122E30.00"}, {46, " 3.50"}});
  for (int k : {1, 300, 9000}) {
    std::string before;
    for (int i = 0; i < k; ++i) before += avg;
    std::string after = kMech;  // no avg: the walk goes on to ml
    for (int i = 0; i < 9000; ++i) after += avg;
    RunResult got = run_catsieve(w("-format mech -mtype avg,ml --csv"), before + after);
    EXPECT_EQ(got.out, run_catsieve(w("-format mech --csv"), before).out) << k;
    EXPECT_EQ(got.err + std::to_string(got.status),
              "Specified magnitude not available for tarn mech\n1") << k;
  }
}

// Binary junk after a good first line: never a crash; what is selected and what is not add up to
// the input, and every output form describes what it selects.
TEST(Inputs, BinaryJunkAfterAGoodFirstLine) {
  std::string bytes;
  unsigned x = 1;
  for (int i = 0; i < 300000; ++i) bytes += static_cast<char>((x = x * 1103515245u + 12345u) >> 16);
  for (const std::string fmt : {"tarn", "mech", "orv", "brim", "kelp", "f_brim"}) {
    std::string junk = (fmt == "mech" ? kMech : kOld) + bytes;
    Args query = w("-format " + fmt + " -depth 0 10");
    RunResult some = run_catsieve(query, junk);
    RunResult rest = run_catsieve(query + Args{"-negate"}, junk);
    EXPECT_TRUE(some.status == 0 || some.err.find("Unable to determine") != std::string::npos)
        << fmt;
    EXPECT_EQ(some.status, rest.status) << fmt;
    if (some.status == 0 && fmt != "f_brim") {
      EXPECT_EQ(some.out.size() + rest.out.size(), junk.size()) << fmt;
    }
    for (const char* form : {"--csv", "--geojson", "--quakeml", "--count"})
      EXPECT_EQ(run_catsieve(query + Args{form}, junk).status, some.status) << fmt << form;
  }
}

TEST(Output, WriteErrorIsReported) {
  RunSetup setup{kOld};
  setup.out_path = "/dev/full";
  for (const Args& args : {Args{}, Args{"--help"}, Args{"--version"}}) {
    RunResult r = run_catsieve(args, setup);
    EXPECT_EQ(r.err + std::to_string(r.status),
              "catsieve: write error on standard output: No space left on device\n1");
  }
}

// Ended by the broken pipe (141 from the shell), with nothing said.
TEST(Output, ClosedPipeEndsQuietly) {
  TempDir dir;
  std::string big;
  for (int i = 0; i < 200000; ++i) big += kOld;
  RunSetup s{"", {{"F", dir.write("big", big)}, {"E", dir.path() + "/err"}, {"BIN", CATSIEVE_BIN}}};
  s.program = "/bin/bash";
  RunResult r = run_catsieve({"-c", "\"$BIN\" \"$F\" 2>\"$E\" | head -1 >/dev/null; "
                                    "echo ${PIPESTATUS[0]}; cat \"$E\""}, s);
  EXPECT_TRUE(r.out == "141\n" || r.out == "1\n") << r.out;
}

// -catalog: the files of the format's tree, of any packing, chosen by period, read in path order
// before the named ones, each from the last origin time of the one before; stdin is not read.
TEST(Catalog, CatalogFilesThenNamedFilesWithTimeCarriedOver) {
  const std::string y90 = tarn("9106011200", "1990-1993"), a = tarn("9507201200", "A"),
                    b = tarn("9508101200", "B"), c = tarn("9508201200", "C");
  TempDir dir;
  dir.write("cat/1990-1993.xz", pack(Packing::kXz, y90));
  dir.write("cat/1995.07.Z", compress_z(tarn("9507101200", "before") + a));
  dir.write("cat/1995.08.gz", pack(Packing::kGzip, tarn("9507191300", "carried") + b));
  dir.write("cat/1996.bz2", pack(Packing::kBzip2, tarn("9508151200", "1996")));
  const std::string named = tarn("9508051200", "early") + c;
  const std::pair<const char*, std::string> cases[] = {
      {"-time 19950715000000 19950902000000 -catalog @named", a + b + c},
      {"-catalog --since 1995-08-01", b + tarn("9508151200", "1996")},
      {"-catalog --until 1993-12-31", y90}};
  for (const auto& [args, out] : cases)
    check_case({args, w(args), {{"named", named}}, "stdin\n", out, "", 0,
                {{"LODECATDIR", dir.path() + "/cat"}}});
}

}  // namespace
