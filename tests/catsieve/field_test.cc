#include "catsieve/field.h"

#include <cstdlib>
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
