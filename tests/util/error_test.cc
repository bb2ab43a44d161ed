#include <cerrno>
#include <cstring>

#include "gtest/gtest.h"
#include "util/qerror.h"

namespace {

TEST(Ermsg, Numbers) {
  EXPECT_EQ(util::ermsg(0), nullptr);
  EXPECT_STREQ(util::ermsg(ENOENT), std::strerror(ENOENT));
  const struct {
    int number;
    const char* text;
  } cases[] = {{1001, "Illegal day"}, {1018, "Root not bracketed"}, {1000, "Error 1000"},
               {1019, "Error 1019"}, {-5, "Error -5"}, {999, "Error 999"}, {-2147483647 - 1, "Error -2147483648"}};
  for (const auto& c : cases) EXPECT_STREQ(util::ermsg(c.number), c.text);
}

TEST(ErrorDeathTest, LineFormat) {
  // The program name first; a system error left standing shows in
  // parentheses.
  util::progname = "prog";
  EXPECT_EXIT((errno = ENOENT, util::error("minimum %s value greater than maximum", "gap")),
              ::testing::ExitedWithCode(1),
              "^prog: minimum gap value greater than maximum \\(No such file or directory\\)\n$");
  util::progname = nullptr;
  errno = 0;
  EXPECT_EXIT(util::error("Too few args"), ::testing::ExitedWithCode(1), "^Too few args\n$");
}

}  // namespace
