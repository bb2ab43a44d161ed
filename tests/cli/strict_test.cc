// Mistakes the classic rules pass over in silence, run as ever and with --strict, which reports
// them with status 1: at once for a bad argument, after the other inputs for a bad input.
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

#include "support/harness.h"

namespace {

struct Outcome { std::string out, err; int status; };  // "@name" in err: the path of file name
const Outcome kSilent = {"", "", 0}, kPassed = {kOld, "", 0};
Outcome bad(const std::string& what) { return {"", "catsieve: " + what + "\n", 1}; }
Outcome bad_time(const std::string& word, const char* what) {
  return bad("bad time \"" + word + "\" for -time: " + what);
}
Outcome bad_angle(const std::string& word, const char* option) {
  return bad("bad angle \"" + word + "\" for " + option +
             " (degrees d[:m[:s]], west and south negative)");
}

struct StrictCase {
  Args args;
  Outcome classic, strict;
  Files files = {{"a", kOld}}, env = {};
};

// Runs a case as given and with --strict, first in front of the options, then after them: the mode
// holds wherever the word stands.
void check_strict(const StrictCase& c) {
  auto names = std::find_if(c.args.begin(), c.args.end(), [](auto& a) { return a[0] == '@'; });
  Args last = Args(c.args.begin(), names) + Args{"--strict"} + Args(names, c.args.end());
  const std::pair<Args, Outcome> runs[] = {
      {c.args, c.classic}, {Args{"--strict"} + c.args, c.strict}, {last, c.strict}};
  for (const auto& [args, o] : runs)
    check_case({joined(args), args, c.files, "", o.out, o.err, o.status, c.env});
}

TEST(Strict, BadArgumentsStopBeforeAnyInput) {
  const Args many_vertices = Args{"-polygon"} + Args(102, "1");
  const char kMd8[] = "-mag 0 9 -mtype md,md,md,md,md,md,md,md -mtype md,md,md,md,md,md,md";
  const StrictCase cases[] = {
      // Bounds and forms that are right pass in both modes.
      {{"-latitude", "-90", "+37:59:59.9", "-longitude", "-180", "180.0", "-nstations", "0", "5.0",
        "-time", "19941231000000+1d12h", "19951231235959.99", "@a"}, kPassed, kPassed},
      // Angles: a word that is no angle reads as 0, or as far as it goes.
      {w("-latitude abc 38 @a"), kPassed, bad_angle("abc", "-latitude")},
      {w("-longitude 122:25:10W 123 @a"), kSilent, bad_angle("122:25:10W", "-longitude")},
      {w("-latitude -90 89:59:59:1 @a"), kPassed, bad_angle("89:59:59:1", "-latitude")},
      {w("-latitude -90 89x30 @a"), kPassed, bad_angle("89x30", "-latitude")},
      {w("-latitude -122 90.5 @a"), kPassed,
       bad("latitude -122 for -latitude is beyond 90 degrees")},
      {w("-delta 37 238 0 10 @a"), kSilent, bad("longitude 238 for -delta is beyond 180 degrees")},
      // An odd count takes the file name as the last longitude; standard input is read instead.
      {w("-polygon 37 -122 38 -122 38 @a"), kSilent,
       bad("-polygon needs pairs of latitude and longitude, not 5 values")},
      {many_vertices, {"", "Unable to open file 1\n", 1},
       bad("-polygon takes at most 50 vertices, not 51"), {}},
      {w("-depth 1e 5 @a"), kSilent, bad("bad number \"1e\" for -depth")},
      {w("-nstations 2.9 5 @a"), kSilent, bad("-nstations counts in whole numbers, not \"2.9\"")},
      {w("-time 19951301000000 19960101000000 @a"), kSilent,
       bad_time("19951301000000", "Illegal month")},
      {w("-time 19950101240000 19960101000000 @a"), kSilent,
       bad_time("19950101240000", "Illegal time of day")},
      {w("-time 19950101006000 19960101000000 @a"), kPassed,
       bad_time("19950101006000", "Illegal time of day")},
      {w("-time 19950101000000 19950101000000+1d-2h @a"), kPassed,
       bad_time("19950101000000+1d-2h", "text after the offset")},
      // Options that replace, or matter to no record of the format.
      {w("-depth 0 1 -depth 0 10 @a"), kPassed,
       bad("-depth given more than once: the last one would count")},
      {w(std::string(kMd8) + " -no_mag @a"), kPassed, kPassed},
      {w(std::string(kMd8) + ",mx @a"), kPassed, bad("-mtype lists more than 15 magnitude types")},
      {w("-quality a @a"), kPassed, bad("-quality has no effect on the tarn format")},
      {w("-format brim -mtype md -mag 0 9 @a"), kSilent,
       bad("-mtype has no effect on the brim format")},
      {w("-mtype md @a"), kPassed, bad("-mtype has no effect without -magnitude")},
      {w("-format orv -nmag 1 9 @a"), kSilent, bad("-nmag needs -magnitude on the orv format")},
      {{"-etype", "", "@a"}, kSilent, bad("-etype without a letter: no record would pass")},
      {{"-format", "orv", "-quality", "", "@a"}, kSilent,
       bad("-quality without a letter: no record would pass")},
      {w("-etype ex @a"), kPassed, bad("-etype letter \"X\" is no event type of the tarn format")},
      // Two-dash options that another one gives their effect.
      // (This record has neither depth nor magnitude: it fails every FDSN bound on them.)
      {w("--minmagnitude 0 -mtype md @a"), kSilent, kSilent},
      {w("--columns mag @a"), kPassed, bad("--columns has no effect without --csv")},
      {w("--count --missing NaN @a"), {"1\n", "", 0},
       bad("--missing has no effect without --csv or --text")},
      {w("--authority net.example @a"), kPassed,
       bad("--authority has no effect without --quakeml or --text")},
      {w("--longitude -120 @a"), kPassed,
       bad("--longitude has no effect without a radius (--maxradius, ...)")},
      {w("--mindepth 1 --mindepth=2 @a"), kSilent,
       bad("--mindepth given more than once: the last one would count")}};
  for (const auto& c : cases) check_strict(c);
}

TEST(Strict, BadInputsAreReportedAfterTheOtherInputs) {
  // Reads (of the file path only, when given) fail after the given bytes.
  auto fault_after = [](size_t bytes, const char* path = nullptr) {
    Files env = {{"LD_PRELOAD", IO_FAULT_LIB}, {"CATSIEVE_FAULT_READ", std::to_string(bytes)}};
    if (path) env["CATSIEVE_FAULT_PATH"] = path;
    return env;
  };
  const std::string june = "950601" + kOld.substr(6), sept = "950901" + kOld.substr(6),
                    dec = "951201" + kOld.substr(6);
  const std::string kTwo =
      "processing @a ... 1 lines, 1 selected\nprocessing @e ... 0 lines, 0 selected\n";
  const StrictCase cases[] = {
      {{"-catalog"}, kSilent,
       bad("installed catalog: /nonexistent not read (No such file or directory)"), {},
       {{"LODECATDIR", "/nonexistent"}}},
      // A later input of the other layout is read in the first one's.
      {w("@a @b @a"), {kOld + kY2k + kOld, "", 0},
       {kOld + kOld, "catsieve: @b is not in the old layout of the first input: not read\n", 1},
       {{"a", kOld}, {"b", kY2k}}},
      // Each input is still announced and counted.
      {w("-verbose @a @e"), {kOld, kTwo, 0}, {kOld, kTwo, 0}, {{"a", kOld}, {"e", ""}}},
      // Full brim records the classic reader drops without a word.
      {w("-format f_brim @f"), kSilent,
       {"", "catsieve: @f: 2 full brim records without a $loc line dropped\n"
            "catsieve: @f: 1 line after the last $end dropped\n", 1},
       {{"f", "$beg\n$end\n$beg\n$end\n$beg\n"}}},
      // A read error ends the input; the classic reader takes the piece of a record read before it
      // as a record.
      {{"@a"}, {kOld + kOld.substr(0, 10), "", 0},
       {kOld, "catsieve: read error on @a: Input/output error\n", 1}, {{"a", kOld + kOld}},
       fault_after(kOld.size() + 10)},
      // The time carried to the next input is that of the last whole record, though the piece read
      // after it took its place in the buffer.
      {w("-time 19950101000000 19951231000000 @a @b"), {june + dec.substr(0, 10), "", 0},
       {june + sept, "catsieve: read error on @a: Input/output error\n", 1},
       {{"a", june + dec}, {"b", sept}}, fault_after(june.size() + 10, "@a")},
      {w("-etype a"), kSilent, bad("read error on standard input: Input/output error"), {},
       fault_after(0)}};
  for (const auto& c : cases) check_strict(c);
}

// The decompressor's own complaint is the system's text; only the end of standard error is this
// program's.
TEST(Strict, FailedDecompressorIsAnError) {
  TempDir dir;
  std::string good = dir.write("good", kOld);
  for (const std::string& z : {dir.write("damaged.Z", "not compressed\n"), dir.path() + "/no.Z"}) {
    RunResult classic = run_catsieve({z, good}), strict = run_catsieve({"--strict", z, good});
    EXPECT_EQ(classic.out + std::to_string(classic.status), kOld + "0");
    EXPECT_EQ(strict.out + std::to_string(strict.status), kOld + "1");
    std::string tail = "catsieve: uncompress failed on " + z + " (exit status 1)\n";
    ASSERT_GE(strict.err.size(), tail.size()) << strict.err;
    EXPECT_EQ(strict.err.substr(strict.err.size() - tail.size()), tail);
  }
}

// A failed write ends the run in either mode; what was written before it is whole records.
TEST(Strict, WriteErrorKeepsRecordsWhole) {
  std::string many;
  for (int i = 0; i < 20000; ++i) many += kOld;
  TempDir dir;
  std::string big = dir.write("big", many);
  RunSetup setup;
  setup.env = {{"LD_PRELOAD", IO_FAULT_LIB}, {"CATSIEVE_FAULT_WRITE", "2"}};
  for (const auto& args : {Args{big}, {"--strict", big}}) {
    RunResult r = run_catsieve(args, setup);
    EXPECT_EQ(r.err + std::to_string(r.status),
              "catsieve: write error on standard output: No space left on device\n1");
    EXPECT_TRUE(r.out.size() > 0 && r.out.size() < many.size()) << r.out.size();
    EXPECT_EQ(r.out.size() % kOld.size(), 0u);
    EXPECT_EQ(r.out, many.substr(0, r.out.size()));
  }
}

// Entries of an installed tree that the walk passes over: a FIFO, and a link back to a directory
// on the walk path.
TEST(Strict, CatalogEntriesPassedOver) {
  TempDir dir;
  dir.write("fifo/1995", kOld), dir.write("loop/1995", kOld);
  ASSERT_EQ(mkfifo((dir.path() + "/fifo/1996").c_str(), 0600), 0);
  ASSERT_EQ(symlink(".", (dir.path() + "/loop/self").c_str()), 0);
  for (const auto& [tree, why] :
       {std::pair{"/fifo", "/1996 not read (neither a file nor a directory)"},
        {"/loop", "/self not read (a link back to a directory being walked)"}})
    check_strict({{"-catalog"}, kPassed,
                  {kOld, "catsieve: installed catalog: " + dir.path() + tree + why + "\n", 1}, {},
                  {{"LODECATDIR", dir.path() + tree}}});
}

}  // namespace
