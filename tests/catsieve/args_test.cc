// The words of the command line: dates, offsets, angles, ISO times, the
// help text and the error line.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "catsieve/args.h"
#include "catsieve/help.h"
#include "catsieve/iso_time.h"
#include "catsieve/long_options.h"
#include "gtest/gtest.h"
#include "util/calendar.h"
#include "util/qerror.h"

namespace {

using namespace catsieve;

TEST(Epoch, DateWords) {
  const double y2k = 9467020800.0;  // 2000-01-01, 109572 days after 1700-01-01
  EXPECT_EQ(epoch("20000101000000"), y2k);
  EXPECT_EQ(epoch("17000101000001.5"), 1.5);
  EXPECT_EQ(epoch("20000101000030.25"), y2k + 30.25);
  EXPECT_EQ(epoch("20000101000000+1d-2h"), y2k + 86400);
  EXPECT_EQ(epoch("20000101000000.5-30m"), y2k + 0.5 - 1800);
  // Fields carry over: hour 24, day 00, month 13, month 00 and month 15.
  EXPECT_EQ(epoch("19991231240000"), y2k);
  EXPECT_EQ(epoch("20000200000000"), epoch("20000131000000"));
  EXPECT_EQ(epoch("19991301000000"), y2k);
  EXPECT_EQ(epoch("20000001000000"), epoch("19991201000000"));
  EXPECT_EQ(epoch("20001501000000"), epoch("20010301000000"));
}

TEST(Offset, Sums) {
  const std::pair<const char*, double> cases[] = {
      {"", 0},   {"+1d12h", 129600}, {"-30m", -1800}, {"+1.5h", 5400}, {"+2h30m15s", 9015}, {"+1D1H1M1S", 90061},
      {"+.5d", 43200}, {"-", 0},     {"+x", 0},       {"+1d+2h", 86400}, {"+1s junk", 1},
  };
  for (const auto& c : cases) EXPECT_EQ(offset(c.first), c.second) << c.first;
}

TEST(Angle, Words) {
  const std::pair<const char*, double> cases[] = {
      {"37:30", 37.5}, {"37:30:36", 37.51}, {"-122:15", -122.25}, {"+45", 45}, {"-0:30", -0.5},
      {"10.5", 10.5}, {"10:", 10}, {"abc", 0}, {"+-5", -5}, {"1:2:3:4", 1 + (2 + 3 / 60.0) / 60}, {"5x:30", 5.5},
  };
  for (const auto& c : cases) EXPECT_DOUBLE_EQ(angle(c.first), c.second) << c.first;
  EXPECT_EQ(isangle(nullptr), 0);
  for (const char* word : {"", "-33.5", "::", "1:2:3:4"}) EXPECT_EQ(isangle(word), 1) << word;
  for (const char* word : {"33N", "abc", "-format"}) EXPECT_EQ(isangle(word), 0) << word;
}

TEST(IsoTime, FormsAndLimits) {
  const double day = util::timvar(1995, 2, 14, 0, 0, 0, 1), hm = day + 3 * 3600 + 21 * 60;
  const std::pair<const char*, double> good[] = {
      {"1995-02-14", day}, {"1995-02-14Z", day}, {"1995-02-14T03:21", hm}, {"1995-02-14 03:21Z", hm},
      {"1995-02-14T03:21:07", hm + 7}, {"1995-02-14T03:21:07.42Z", util::timvar(1995, 2, 14, 3, 21, 7.42, 1)},
      {"1995-02-14T23:59:60.5", day + 86400 + 0.5}, {"2000-02-29", util::timvar(2000, 2, 29, 0, 0, 0, 1)},
      {"1700-01-01", 0}};
  for (const auto& c : good) {
    double v = -1;
    EXPECT_TRUE(iso_time(c.first, &v)) << c.first;
    EXPECT_EQ(v, c.second) << c.first;
  }
  const char* const bad[] = {
      "", "1995", "95-02-14", "1995-2-14", "1995/02/14", "19950214", "0000-01-01", "1900-02-29",
      "1995-13-01", "1995-00-10", "1995-04-31", "1995-02-00", "1995-02-14T", "1995-02-14T3:21",
      "1995-02-14T03", "1995-02-14T24:00", "1995-02-14T03:60", "1995-02-14T03:21:61", "1995-02-14T03:21:7",
      "1995-02-14T03:21:07.", "1995-02-14T03:21:07,5", "1995-02-14T03:21.5", "1995-02-14ZZ", "1995-02-14z",
      "1995-02-14 ", "1995-02-14T03:21:07+01:00", "+1995-02-14", " 1995-02-14",
  };
  for (const char* text : bad) {
    double v = -1;
    EXPECT_FALSE(iso_time(text, &v)) << text;
    EXPECT_EQ(v, -1) << text;
  }
}

TEST(Help, DescribesEveryTwoDashOption) {
  char* buf = nullptr;
  size_t n = 0;
  std::FILE* f = open_memstream(&buf, &n);
  write_help(f, "catsieve");
  std::fclose(f);
  std::string text(buf, n);
  std::free(buf);
  ASSERT_GT(nlong_options, 0);
  for (int i = 0; i < nlong_options; ++i)
    EXPECT_NE(text.find("\n  " + std::string(long_options[i].name) + " "), std::string::npos)
        << long_options[i].name;
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
