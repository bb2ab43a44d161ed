#include <cerrno>
#include <cstring>

#include "gtest/gtest.h"
#include "util/qerror.h"

namespace {

TEST(Ermsg, Numbers) {
  EXPECT_EQ(util::ermsg(0), nullptr);
  EXPECT_STREQ(util::ermsg(ENOENT), std::strerror(ENOENT));
  EXPECT_STREQ(util::ermsg(1001), "Illegal day");
  EXPECT_STREQ(util::ermsg(1003), "Illegal year");
  EXPECT_STREQ(util::ermsg(1018), "Root not bracketed");
  EXPECT_STREQ(util::ermsg(1000), "Error 1000");
  EXPECT_STREQ(util::ermsg(1019), "Error 1019");
  EXPECT_STREQ(util::ermsg(-5), "Error -5");
  EXPECT_STREQ(util::ermsg(999), "Error 999");
  EXPECT_STREQ(util::ermsg(-2147483647 - 1), "Error -2147483648");
}

TEST(ErrorDeathTest, LineFormat) {
  util::progname = "prog";
  errno = 0;
  EXPECT_EXIT(util::error("Bad date format: \"%s\"", "x"), ::testing::ExitedWithCode(1),
              "^prog: Bad date format: \"x\"\n$");
  // A system error left standing shows in parentheses.
  EXPECT_EXIT((errno = ENOENT, util::error("minimum %s value greater than maximum", "gap")),
              ::testing::ExitedWithCode(1),
              "^prog: minimum gap value greater than maximum \\(No such file or directory\\)\n$");
  util::progname = nullptr;
  errno = 0;
  EXPECT_EXIT(util::error("Too few args"), ::testing::ExitedWithCode(1), "^Too few args\n$");
}

}  // namespace
