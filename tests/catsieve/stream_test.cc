// Records are cut from large blocks exactly as fgets cuts them from a
// stream with the reader's line-buffer size, across block boundaries.
#include "catsieve/stream.h"

#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "gtest/gtest.h"
#include "support/harness.h"

namespace {

std::vector<std::string> with_fgets(const std::string& path, int size) {
  std::vector<std::string> out;
  std::FILE* f = std::fopen(path.c_str(), "r");
  std::vector<char> buf(static_cast<size_t>(size));
  for (long before = 0, after; std::fgets(buf.data(), size, f); before = after)
    after = std::ftell(f), out.emplace_back(buf.data(), static_cast<size_t>(after - before));
  std::fclose(f);
  return out;
}

// The records and, after them, the last record as kept for the end of the
// stream ("none" when there was none).
std::vector<std::string> with_readline(const std::string& path, size_t size) {
  std::vector<std::string> out;
  catsieve::Stream* s = catsieve::ecfopen(path.c_str(), "r");
  catsieve::Line l;
  while (catsieve::readline(*s, size, &l)) out.emplace_back(l.p, l.n);
  out.push_back(s->last.p ? std::string(s->last.p, s->last.n) : "none");
  catsieve::ecfclose(s);
  return out;
}

TEST(Readline, CutsAsFgets) {
  std::mt19937 rng(42);
  TempDir dir;
  for (int size : {150, 200, 512}) {
    // Lines of every length around the buffer size, NUL bytes included,
    // enough of them to cross several blocks, the last without a newline.
    std::string text;
    while (text.size() < 700000) {
      size_t len = rng() % 3 ? rng() % 120 : static_cast<size_t>(size) - 3 + rng() % 6;
      if (rng() % 50 == 0) len = rng() % 2000;
      for (size_t i = 0; i < len; ++i) text += static_cast<char>(rng() % 50 == 0 ? 0 : 'a' + rng() % 26);
      text += '\n';
    }
    std::string path = dir.write("cat" + std::to_string(size), text + "tail");
    std::vector<std::string> expected = with_fgets(path, size);
    expected.push_back("tail");  // the last record survives the block refills
    std::vector<std::string> got = with_readline(path, static_cast<size_t>(size));
    ASSERT_EQ(got.size(), expected.size()) << size;
    for (size_t i = 0; i < got.size(); ++i) ASSERT_EQ(got[i], expected[i]) << size << " record " << i;
  }
  EXPECT_EQ(with_readline(dir.write("empty", ""), 200), std::vector<std::string>{"none"});
}

}  // namespace
