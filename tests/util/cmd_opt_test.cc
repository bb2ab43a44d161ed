#include "util/cmd_opt.h"

#include "gtest/gtest.h"

namespace {

TEST(Cursor, NumericWords) {
  char prog[] = "p", a[] = "1e3", b[] = "+-e", c[] = "5km", d[] = "";
  char* argv[] = {prog, a, b, c, d};
  util::eargc = 5;
  util::eargv = argv;
  util::iarg = 0;
  EXPECT_EQ(util::narg(), 1000.0);
  EXPECT_EQ(util::narg(), 0.0);  // only the characters are checked
  EXPECT_FALSE(util::isnarg());
  EXPECT_STREQ(util::peekarg(), "5km");
  EXPECT_STREQ(util::aarg(), "5km");
  EXPECT_TRUE(util::isnarg());  // an empty word counts as numeric
  EXPECT_STREQ(util::aarg(), "");
  EXPECT_FALSE(util::isnarg());
  EXPECT_EQ(util::peekarg(), nullptr);
  EXPECT_EQ(util::verify(a, "0123456789"), a + 1);
}

}  // namespace
