#include "catsieve/field.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

#include "gtest/gtest.h"

namespace {

using catsieve::Col;
using catsieve::Line;

Line line(const std::string& s) { return Line{s.data(), s.size()}; }

TEST(Field, RandomTextsConvertAsTheCLibraryDoes) {
  // Texts drawn from the characters that matter to a number reader, set
  // between digits that must never be read with them; the reals are
  // compared bit for bit, so that even the sign of zero counts.
  // The second alphabet keeps to what the inline fast path reads itself.
  const std::string alphabets[] = {" +-.0123456789eExXinfaN\n\t", "  +-.0123456789012345"};
  unsigned seed = 12345;
  auto next = [&seed] { return seed = seed * 1103515245u + 12345u, (seed >> 8) & 0xffff; };
  for (int i = 0; i < 400000; ++i) {
    const std::string& alphabet = alphabets[i % 2];
    int width = 1 + static_cast<int>(next() % 20), at = 1 + static_cast<int>(next() % 4);
    std::string t;
    for (int k = 0; k < width; ++k) t += next() % 40 == 0 ? '\0' : alphabet[next() % alphabet.size()];
    std::string s = std::string(static_cast<size_t>(at - 1), '7') + t + "987";
    char buf[32];
    std::memcpy(buf, t.data(), t.size());
    buf[t.size()] = '\0';
    ASSERT_EQ(catsieve::fint(line(s), Col{at, width, 0}), std::atoi(buf)) << t;
    for (int dec = 0; dec < 3; ++dec) {
      double want = std::atof(buf) / (dec == 0 ? 1 : dec == 1 ? 10 : 100);
      double got = catsieve::freal(line(s), Col{at, width, dec});
      if (std::isnan(want))
        ASSERT_TRUE(std::isnan(got)) << t;
      else
        ASSERT_EQ(std::memcmp(&got, &want, sizeof got), 0) << t << " dec " << dec << ": " << got << " " << want;
    }
  }
}

TEST(Field, ColumnsPastTheEndReadAsBlanks) {
  const std::string s = "12345";
  Line l = line(s);
  EXPECT_EQ(catsieve::fint(l, Col{4, 4, 0}), 45);
  EXPECT_EQ(catsieve::fint(l, Col{6, 3, 0}), 0);
  EXPECT_EQ(catsieve::fchar(l, 5), '5');
  EXPECT_EQ(catsieve::fchar(l, 6), ' ');
  char buf[8];
  EXPECT_STREQ(catsieve::field_text(l, 4, 4, buf), "45  ");
}

TEST(Blen, OnlyTheSpaceIsBlank) {
  const struct {
    const char* text;
    size_t n;
  } cases[] = {{"", 0}, {"    ", 0}, {" a  ", 2}, {" \n ", 2}, {"\t", 1}};
  for (const auto& c : cases) EXPECT_EQ(catsieve::blen(c.text), c.n) << c.text;
}

}  // namespace
