// gzip, bzip2 and xz inputs: named, on standard input and in an installed
// tree, recognised by their bytes, read byte for byte as their text, and
// damaged or cut short.

#include "gtest/gtest.h"
#include "support/cli_harness.h"
#include "support/packers.h"
#include "support/temp_dir.h"
#include "support/zwriter.h"

namespace {

const Packing kAll[] = {Packing::kGzip, Packing::kBzip2, Packing::kXz};
const char* const kName[] = {"gzip", "bzip2", "xz"}, *const kSuffix[] = {".gz", ".bz2", ".xz"};

// An old-layout tarn event at yymmddhhmm with a tag in columns 50-67, which
// the reader never looks at, and an event type in column 77.
std::string ev(const std::string& when, const std::string& tag, const char* type = "E") {
  return record(80, {{1, when + "0000"}, {50, tag}, {77, type}});
}

// Several blocks of the stream's buffer and several bzip2 blocks; every
// third event is of type Q, which the default selection drops.  The tags
// are pseudo-random, so that a fault in the middle of the compressed bytes
// lies in the middle of the text.
struct Catalog {
  std::string text, selected;
};
const Catalog& big() {
  static Catalog c;
  if (!c.text.empty()) return c;
  unsigned state = 1;
  for (int i = 0; i < 9000; ++i) {
    std::string tag;
    for (int j = 0; j < 18; ++j) tag += static_cast<char>('0' + ((state = state * 1103515245u + 12345u) >> 16) % 43);
    std::string e = ev("9501011230", tag, i % 3 ? "E" : "Q");
    c.text += e;
    c.selected += i % 3 ? e : "";
  }
  return c;
}

TEST(Compressed, ReadAsTheirText) {
  const Catalog& c = big();
  const std::string text_rec = ev("9501011230", "text");
  for (Packing how : kAll) {
    const int i = static_cast<int>(how);
    const char* label = kName[i];
    TempDir dir;
    std::string packed = pack(how, c.text);
    // By content, not by name: a compressed file without a suffix, and
    // a text file with one.
    std::string plainly = dir.write("catalog", packed), text = dir.write(std::string("text") + kSuffix[i], text_rec);
    RunResult r = run_catsieve({"-verbose", plainly, text});
    EXPECT_TRUE(r.out == c.selected + text_rec) << label;
    EXPECT_EQ(r.err, "processing " + plainly + " ... 9000 lines, 6000 selected\nprocessing " +
                         text + " ... 1 lines, 1 selected\n") << label;
    // Two members (streams) on standard input, split inside a line and
    // inside a block of the stream's buffer.
    const size_t split = 300001;
    r = run_catsieve({}, pack(how, c.text.substr(0, split)) + pack(how, c.text.substr(split)));
    EXPECT_TRUE(r.out == c.selected) << label << " in two members";
    EXPECT_EQ(r.err + std::to_string(r.status), "0") << label;
    // An empty member, then a record without its line end.
    std::string last = text_rec.substr(0, text_rec.size() - 1);
    r = run_catsieve({}, pack(how, "") + pack(how, last));
    EXPECT_EQ(r.out + r.err + std::to_string(r.status), last + "0") << label;
    // The magic number arrives alone through a pipe.
    RunSetup s;
    s.program = "/bin/sh";
    s.env = {{"F", plainly}, {"BIN", CATSIEVE_BIN}};
    r = run_catsieve({"-c", "(head -c 1 \"$F\"; sleep 0.2; tail -c +2 \"$F\") | \"$BIN\""}, s);
    EXPECT_TRUE(r.out == c.selected) << label << " through a pipe";
  }
}

TEST(Compressed, DamagedOrCutShort) {
  const Catalog& c = big();
  const std::string after = ev("9501011230", "next input");
  const struct { Packing how; bool cut; const char* message; } faults[] = {
      {Packing::kGzip, true, "truncated gzip data"}, {Packing::kBzip2, true, "truncated bzip2 data"},
      {Packing::kXz, true, "truncated xz data"},
      {Packing::kGzip, false, "damaged gzip data (incorrect data check)"},
      {Packing::kBzip2, false, "damaged bzip2 data (data integrity error)"},
      {Packing::kXz, false, "damaged xz data (compressed data is corrupt)"},
  };
  for (const auto& f : faults) {
    SCOPED_TRACE(f.message);
    TempDir dir;
    std::string bytes = pack(f.how, c.text);
    // Cut, or smashed in the middle; gzip's check value is damaged instead,
    // since what smashed deflate data makes of itself depends on the compressor.
    if (f.cut) bytes.resize(bytes.size() * 3 / 5);
    else if (f.how == Packing::kGzip) bytes[bytes.size() - 8] ^= 1;
    else bytes.replace(bytes.size() * 3 / 5, 64, 64, '\xff');
    std::string bad = dir.write("bad", bytes), next = dir.write("next", after);
    // The records before the fault are written, the fault is named, the
    // inputs after it are read, and the run ends with status 1.
    RunResult r = run_catsieve({bad, next});
    ASSERT_GE(r.out.size(), c.selected.size() / 3 + after.size());
    EXPECT_EQ(r.out.substr(r.out.size() - after.size()), after);
    EXPECT_EQ(r.out.compare(0, c.selected.size() / 3, c.selected, 0, c.selected.size() / 3), 0);
    EXPECT_EQ(r.err + std::to_string(r.status), "catsieve: " + bad + ": " + f.message + "\n1");
    r = run_catsieve({}, bytes);
    EXPECT_EQ(r.err + std::to_string(r.status), std::string("catsieve: stdin: ") + f.message + "\n1");
  }
  // Too short for any data: the magic number alone.
  RunResult r = run_catsieve({}, "\x1f\x8b");
  EXPECT_EQ(r.out + r.err + std::to_string(r.status), "catsieve: stdin: truncated gzip data\n1");
}

TEST(Compressed, OnlyWhatTheClassicProgramCouldNotRead) {
  // Catalog text may begin with "BZh" and a digit; bzip2 data goes on
  // with the magic number of a block.
  RunResult r = run_catsieve(w("-format brim"), record(80, {{1, "BZh91995"}}));
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
  const std::pair<Args, std::string> cases[] = {
      {{"-catalog"}, y90 + jul + aug + y96}, {w("-catalog -time 19950801000000 19951231000000"), aug},
      {w("-catalog --since 1995-08-01"), aug + y96}, {w("-catalog --until 1993-12-31"), y90},
  };
  for (const auto& c : cases) {
    RunResult r = run_catsieve(c.first, s);
    EXPECT_EQ(r.out + r.err + std::to_string(r.status), c.second + "0") << joined(c.first);
  }
}

}  // namespace
