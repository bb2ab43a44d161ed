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

TEST(Field, ConvertsAsTheCLibraryDoes) {
  // The same text read through a field gives exactly atoi and atof.
  const char* texts[] = {"  12", "-3.5", "1e3x", "  .5", "+7 8", "    ", "0x1A", "12\n ", " - 5",
                         "9999", "1.25", "inf ", "3e-2"};
  for (const char* t : texts) {
    std::string s = std::string("ab") + t + "cd";
    Line l = line(s);
    EXPECT_EQ(catsieve::fint(l, Col{3, 4, 0}), std::atoi(t)) << t;
    EXPECT_EQ(catsieve::freal(l, Col{3, 4, 0}), std::atof(t)) << t;
    EXPECT_EQ(catsieve::freal(l, Col{3, 4, 2}), std::atof(t) / 100) << t;
  }
}

TEST(Field, RandomTextsConvertAsTheCLibraryDoes) {
  // Texts drawn from the characters that matter to a number reader; the
  // reals are compared bit for bit, so that even the sign of zero counts.
  const char alphabet[] = " +-.0123456789eExXinfaN\n\t";
  unsigned seed = 12345;
  auto next = [&seed] { return seed = seed * 1103515245u + 12345u, (seed >> 8) & 0xffff; };
  for (int i = 0; i < 200000; ++i) {
    int width = 1 + static_cast<int>(next() % 20);
    std::string t;
    for (int k = 0; k < width; ++k) t += next() % 40 == 0 ? '\0' : alphabet[next() % (sizeof alphabet - 1)];
    Line l = line(t);
    char buf[32];
    std::memcpy(buf, t.data(), t.size());
    buf[t.size()] = '\0';
    ASSERT_EQ(catsieve::fint(l, Col{1, width, 0}), std::atoi(buf)) << t;
    for (int dec = 0; dec < 3; ++dec) {
      double want = std::atof(buf) / (dec == 0 ? 1 : dec == 1 ? 10 : 100);
      double got = catsieve::freal(l, Col{1, width, dec});
      if (std::isnan(want)) {
        ASSERT_TRUE(std::isnan(got)) << t;
      } else {
        ASSERT_EQ(std::memcmp(&got, &want, sizeof got), 0) << t << " dec " << dec << ": " << got << " " << want;
      }
    }
  }
}

TEST(Field, ColumnsPastTheEndReadAsBlanks) {
  std::string s = "12345";
  Line l = line(s);
  EXPECT_EQ(catsieve::fint(l, Col{4, 4, 0}), 45);
  EXPECT_EQ(catsieve::fint(l, Col{6, 3, 0}), 0);
  EXPECT_EQ(catsieve::fchar(l, 5), '5');
  EXPECT_EQ(catsieve::fchar(l, 6), ' ');
  char buf[8];
  EXPECT_STREQ(catsieve::field_text(l, 4, 4, buf), "45  ");
}

TEST(Field, NeverReadsTheNeighbour) {
  std::string s = "1234567";
  EXPECT_EQ(catsieve::fint(line(s), Col{2, 3, 0}), 234);
  EXPECT_EQ(catsieve::freal(line(s), Col{5, 2, 1}), 5.6);
}

TEST(Field, NulEndsANumber) {
  std::string s("12\0004", 4);
  EXPECT_EQ(catsieve::fint(line(s), Col{1, 4, 0}), 12);
}

TEST(Blen, OnlyTheSpaceIsBlank) {
  EXPECT_EQ(catsieve::blen(""), 0u);
  EXPECT_EQ(catsieve::blen("    "), 0u);
  EXPECT_EQ(catsieve::blen(" a  "), 2u);
  EXPECT_EQ(catsieve::blen(" \n "), 2u);
  EXPECT_EQ(catsieve::blen("\t"), 1u);
}

}  // namespace
