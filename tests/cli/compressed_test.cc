// gzip, bzip2 and xz inputs: named, on standard input and in an installed
// tree, recognised by their bytes, read byte for byte as their text, and
// damaged or cut short.
#include <string>
#include <vector>

#include "gtest/gtest.h"
#include "support/cli_harness.h"
#include "support/packers.h"
#include "support/temp_dir.h"
#include "support/zwriter.h"

namespace {

const Packing kAll[] = {Packing::kGzip, Packing::kBzip2, Packing::kXz};

// A tarn catalog event of the old layout at yymmddhhmm with a tag in columns
// 50-67, which the reader never looks at, and an event type in column 77.
std::string ev(const std::string& when, const std::string& tag, const char* type = "E") {
  return record(80, {{1, when + "0000"}, {50, tag}, {77, type}});
}

// Several blocks of the stream's buffer and several bzip2 blocks; every
// third event is of type Q, which the default selection drops.  The tags
// are pseudo-random, so that the compressed size grows with the text and a
// fault in the middle of the compressed bytes lies in the middle of the text.
struct Catalog {
  std::string text, selected;
};
const Catalog& big() {
  static const Catalog c = [] {
    Catalog k;
    unsigned state = 1;
    for (int i = 0; i < 9000; ++i) {
      std::string tag;
      for (int j = 0; j < 18; ++j) {
        state = state * 1103515245u + 12345u;
        tag += static_cast<char>('0' + (state >> 16) % 43);
      }
      std::string e = ev("9501011230", tag, i % 3 ? "E" : "Q");
      k.text += e;
      if (i % 3) k.selected += e;
    }
    return k;
  }();
  return c;
}

// The output begins with at least the given part of the full output (what
// comes after may be what damaged data decompresses to).
void expect_start(const std::string& out, const std::string& full, size_t at_least,
                  const std::string& label) {
  EXPECT_GE(out.size(), at_least) << label;
  EXPECT_EQ(out.compare(0, at_least, full, 0, at_least), 0) << label;
}

TEST(Compressed, ReadAsTheirText) {
  const Catalog& c = big();
  for (Packing how : kAll) {
    std::string label = packing_name(how);
    TempDir dir;
    std::string packed = pack(how, c.text);
    // By content, not by name: a compressed file without a suffix, and
    // a text file with one.
    std::string plainly = dir.write("catalog", packed);
    std::string text = dir.write(std::string("text") + suffix(how), ev("9501011230", "text"));
    RunResult r = run_catsieve({"-verbose", plainly, text});
    EXPECT_TRUE(r.out == c.selected + ev("9501011230", "text")) << label;
    EXPECT_EQ(r.err, "processing " + plainly + " ... 9000 lines, 6000 selected\nprocessing " +
                         text + " ... 1 lines, 1 selected\n") << label;
    EXPECT_EQ(r.status, 0) << label;
    r = run_catsieve({}, packed);
    EXPECT_TRUE(r.out == c.selected) << label << " on standard input";
    EXPECT_EQ(r.err + std::to_string(r.status), "0") << label;
    // Two members (streams), split inside a line and inside a block of
    // the stream's buffer.
    const size_t split = 300001;
    r = run_catsieve({}, pack(how, c.text.substr(0, split)) + pack(how, c.text.substr(split)));
    EXPECT_TRUE(r.out == c.selected) << label << " in two members";
    EXPECT_EQ(r.err + std::to_string(r.status), "0") << label;
    // An empty member, then a record without its line end.
    std::string last = ev("9501011230", "last");
    last.pop_back();
    r = run_catsieve({}, pack(how, "") + pack(how, last));
    EXPECT_EQ(r.out + r.err + std::to_string(r.status), last + "0") << label;
  }
}

TEST(Compressed, DamagedOrCutShort) {
  const Catalog& c = big();
  const std::string after = ev("9501011230", "next input");
  struct Fault {
    const char* name;
    Packing how;
    void (*harm)(std::string& packed);
    const char* message;
  };
  auto cut = [](std::string& b) { b.resize(b.size() * 3 / 5); };
  auto smash = [](std::string& b) { b.replace(b.size() * 3 / 5, 64, 64, '\xff'); };
  const Fault faults[] = {
      {"gzip_cut", Packing::kGzip, cut, "truncated gzip data"},
      {"bzip2_cut", Packing::kBzip2, cut, "truncated bzip2 data"},
      {"xz_cut", Packing::kXz, cut, "truncated xz data"},
      {"gzip_smashed", Packing::kGzip, smash, "damaged gzip data (incorrect data check)"},
      {"bzip2_smashed", Packing::kBzip2, smash, "damaged bzip2 data (data integrity error)"},
      {"xz_smashed", Packing::kXz, smash, "damaged xz data (compressed data is corrupt)"},
  };
  for (const auto& f : faults) {
    TempDir dir;
    std::string bytes = pack(f.how, c.text);
    f.harm(bytes);
    std::string bad = dir.write("bad", bytes), next = dir.write("next", after);
    // The records before the fault are written, the fault is named, the
    // inputs after it are read, and the run ends with status 1.
    RunResult r = run_catsieve({bad, next});
    ASSERT_GE(r.out.size(), after.size()) << f.name;
    EXPECT_EQ(r.out.substr(r.out.size() - after.size()), after) << f.name;
    expect_start(r.out, c.selected, c.selected.size() / 3, f.name);
    EXPECT_EQ(r.err, "catsieve: " + bad + ": " + f.message + "\n") << f.name;
    EXPECT_EQ(r.status, 1) << f.name;
    // On standard input the fault is reported as the input's.
    r = run_catsieve({}, bytes);
    EXPECT_EQ(r.err, std::string("catsieve: stdin: ") + f.message + "\n") << f.name;
    EXPECT_EQ(r.status, 1) << f.name;
  }
  // Too short for any data: the magic number alone.
  RunResult r = run_catsieve({}, "\x1f\x8b");
  EXPECT_EQ(r.out + r.err + std::to_string(r.status), "catsieve: stdin: truncated gzip data\n1");
}

TEST(Compressed, MagicNumberInPiecesThroughAPipe) {
  const Catalog& c = big();
  for (Packing how : kAll) {
    TempDir dir;
    std::string packed = dir.write("packed", pack(how, c.text));
    RunSetup s;
    s.program = "/bin/sh";
    s.env["F"] = packed;
    s.env["BIN"] = CATSIEVE_BIN;
    RunResult r = run_catsieve(
        {"-c", "(head -c 1 \"$F\"; sleep 0.2; tail -c +2 \"$F\") | \"$BIN\""}, s);
    EXPECT_TRUE(r.out == c.selected) << packing_name(how);
    EXPECT_EQ(r.err + std::to_string(r.status), "0") << packing_name(how);
  }
}

TEST(Compressed, OnlyWhatTheClassicProgramCouldNotRead) {
  // Catalog text may begin with "BZh" and a digit; bzip2 data goes on
  // with the magic number of a block.
  std::string text = record(80, {{1, "BZh91995"}});
  RunResult r = run_catsieve({"-format", "brim"}, text);
  EXPECT_EQ(r.err + std::to_string(r.status), "0");
  // What uncompress makes of a ".Z" file is read as it comes, as ever: here
  // the brim reader passes the gzip bytes on as records.
  TempDir dir;
  std::string gz = pack(Packing::kGzip, ev("9508101200", "z"));
  r = run_catsieve({"-format", "brim", dir.write("1995.08.Z", compress_z(gz))});
  EXPECT_TRUE(r.out == gz);
  EXPECT_EQ(r.err + std::to_string(r.status), "0");
}

TEST(Compressed, InstalledTreeByPeriod) {
  TempDir dir;
  const std::string y90 = ev("9106011200", "1990-1993"), jul = ev("9507101200", "1995.07"),
                    aug = ev("9508101200", "1995.08"), y96 = ev("9603101200", "1996");
  dir.write("cat/1990-1993.xz", pack(Packing::kXz, y90));
  dir.write("cat/1995.07", jul);
  dir.write("cat/1995.08.gz", pack(Packing::kGzip, aug));
  dir.write("cat/1996.bz2", pack(Packing::kBzip2, y96));
  RunSetup s;
  s.env["LODECATDIR"] = dir.path() + "/cat";
  const struct {
    std::vector<std::string> args;
    std::string out;
  } cases[] = {
      {{"-catalog"}, y90 + jul + aug + y96},
      {{"-catalog", "-time", "19950801000000", "19951231000000"}, aug},
      {{"-catalog", "--since", "1995-08-01"}, aug + y96},
      {{"-catalog", "--until", "1993-12-31"}, y90},
  };
  for (const auto& c : cases) {
    RunResult r = run_catsieve(c.args, s);
    EXPECT_EQ(r.out, c.out) << ::testing::PrintToString(c.args);
    EXPECT_EQ(r.err + std::to_string(r.status), "0") << ::testing::PrintToString(c.args);
  }
}

}  // namespace
