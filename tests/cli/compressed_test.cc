// gzip, bzip2 and xz inputs: recognised by their bytes, read as text, damaged or cut short.
#include "support/harness.h"

namespace {

const Packing kAll[] = {Packing::kGzip, Packing::kBzip2, Packing::kXz};

// Several blocks of the buffer and of bzip2; every third event is a dropped Q.  Pseudo-random tags
// put a fault in the middle of the compressed bytes in the middle of the text.
struct Catalog { std::string text, selected; };
const Catalog& big() {
  static Catalog c;
  if (!c.text.empty()) return c;
  for (unsigned i = 0, state = 1; i < 9000; ++i) {
    std::string tag;
    for (int j = 0; j < 18; ++j)
      tag += static_cast<char>('0' + ((state = state * 1103515245u + 12345u) >> 16) % 43);
    std::string e = tarn("9501011230", tag, i % 3 ? "E" : "Q");
    c.text += e, c.selected += i % 3 ? e : "";
  }
  return c;
}

TEST(Compressed, ReadAsTheirText) {
  const Catalog& c = big();
  const std::string text_rec = tarn("9501011230", "text");
  for (Packing how : kAll) {
    const char* suffix[] = {".gz", ".bz2", ".xz"};
    SCOPED_TRACE(suffix[static_cast<int>(how)]);
    TempDir dir;
    // By content, not by name: packed without a suffix, text with one.
    std::string plainly = dir.write("catalog", pack(how, c.text));
    std::string text = dir.write(std::string("text") + suffix[static_cast<int>(how)], text_rec);
    RunResult r = run_catsieve({"-verbose", plainly, text});
    EXPECT_TRUE(r.out == c.selected + text_rec);
    EXPECT_EQ(r.err, "processing " + plainly + " ... 9000 lines, 6000 selected\nprocessing " +
                         text + " ... 1 lines, 1 selected\n");
    // Two members (streams) on standard input, split inside a line and inside a block of the
    // stream's buffer.
    r = run_catsieve({}, pack(how, c.text.substr(0, 300001)) + pack(how, c.text.substr(300001)));
    EXPECT_TRUE(r.out == c.selected && r.err.empty() && r.status == 0) << "two members";
    // An empty member, then a record without its line end.
    r = run_catsieve({}, pack(how, "") + pack(how, text_rec.substr(0, 80)));
    EXPECT_EQ(r.out + r.err + std::to_string(r.status), text_rec.substr(0, 80) + "0");
    // The magic number arrives alone through a pipe.
    RunSetup s{"", {{"F", plainly}, {"BIN", CATSIEVE_BIN}}};
    s.program = "/bin/sh";
    r = run_catsieve({"-c", "(head -c 1 \"$F\"; sleep 0.2; tail -c +2 \"$F\") | \"$BIN\""}, s);
    EXPECT_TRUE(r.out == c.selected) << "through a pipe";
  }
}

TEST(Compressed, DamagedOrCutShort) {
  const Catalog& c = big();
  const std::string after = tarn("9501011230", "next input");
  const std::string head = c.selected.substr(0, c.selected.size() / 3);
  const std::pair<bool, const char*> faults[] = {
      {true, "truncated gzip data"}, {true, "truncated bzip2 data"}, {true, "truncated xz data"},
      {false, "damaged gzip data (incorrect data check)"},
      {false, "damaged bzip2 data (data integrity error)"},
      {false, "damaged xz data (compressed data is corrupt)"}};
  for (int i = 0; i < 6; ++i) {
    const auto& [cut, message] = faults[i];
    SCOPED_TRACE(message);
    std::string bytes = pack(kAll[i % 3], c.text);
    // Cut, or smashed in the middle; gzip's check value instead, since what smashed deflate data
    // makes of itself depends on the compressor.
    if (cut) bytes.resize(bytes.size() * 3 / 5);
    else if (i == 3) bytes[bytes.size() - 8] ^= 1;
    else bytes.replace(bytes.size() * 3 / 5, 64, 64, '\xff');
    // The whole records before the fault are written, never a piece of one glued to the next
    // input's first; the fault is named with the piece of a line it cut off, the next input
    // read, and the run ends with status 1.
    TempDir dir;
    std::string bad = dir.write("bad", bytes), next = dir.write("next", after);
    RunResult r = run_catsieve({bad, next});
    ASSERT_GE(r.out.size(), head.size() + after.size());
    std::string before = r.out.substr(0, r.out.size() - after.size());
    EXPECT_TRUE(r.out.compare(0, head.size(), head) == 0);
    EXPECT_EQ(before.back(), '\n');
    // Damaged data may decode to wrong lines before the check fails; cut data to none.
    if (cut) {
      EXPECT_EQ(c.selected.compare(0, before.size(), before), 0);
    }
    EXPECT_EQ(r.out.substr(before.size()) + std::to_string(r.status), after + "1");
    std::string named = "catsieve: " + bad + ": " + message;
    EXPECT_EQ(r.err.compare(0, named.size(), named), 0) << r.err;
    std::string rest = r.err.substr(std::min(named.size(), r.err.size()));
    EXPECT_TRUE(rest == "\n" || (rest.find("; last ") == 0 &&
                                  rest.find(" of a partial line dropped\n") != std::string::npos))
        << rest;
  }
  // Standard input is named so; too short for any data: the magic number alone.
  RunResult r = run_catsieve({}, "\x1f\x8b");
  EXPECT_EQ(r.out + r.err + std::to_string(r.status), "catsieve: stdin: truncated gzip data\n1");
}

TEST(Compressed, OnlyWhatTheClassicProgramCouldNotRead) {
  // Catalog text may begin with "BZh" and a digit; bzip2 data goes on with the magic number of a
  // block.
  const std::string bzh = record(80, {{1, "BZh91995"}});
  check_case(quiet(w("-format brim"), bzh, bzh));
  // What uncompress makes of a ".Z" file is read as it comes, as ever: here the brim reader passes
  // the gzip bytes on as records.
  std::string gz = pack(Packing::kGzip, tarn("9508101200", "z"));
  check_case({"gzip in .Z", w("-format brim @1995.08.Z"), {{"1995.08.Z", compress_z(gz)}}, "", gz,
              "", 0});
}

}  // namespace
