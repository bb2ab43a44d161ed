#include "catsieve/args.h"

#include "gtest/gtest.h"

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
  const struct {
    const char* text;
    double seconds;
  } cases[] = {
      {"", 0},   {"+1d12h", 129600}, {"-30m", -1800}, {"+1.5h", 5400}, {"+2h30m15s", 9015}, {"+1D1H1M1S", 90061},
      {"+.5d", 43200}, {"-", 0},     {"+x", 0},       {"+1d+2h", 86400}, {"+1s junk", 1},
  };
  for (const auto& c : cases) EXPECT_EQ(offset(c.text), c.seconds) << c.text;
}

TEST(Angle, Words) {
  const struct {
    const char* word;
    double degrees;
  } cases[] = {
      {"37:30", 37.5}, {"37:30:36", 37.51}, {"-122:15", -122.25}, {"+45", 45}, {"-0:30", -0.5},
      {"10.5", 10.5}, {"10:", 10}, {"abc", 0}, {"+-5", -5}, {"1:2:3:4", 1 + (2 + 3 / 60.0) / 60}, {"5x:30", 5.5},
  };
  for (const auto& c : cases) EXPECT_DOUBLE_EQ(angle(c.word), c.degrees) << c.word;
  EXPECT_EQ(isangle(nullptr), 0);
  for (const char* word : {"", "-33.5", "::", "1:2:3:4"}) EXPECT_EQ(isangle(word), 1) << word;
  for (const char* word : {"33N", "abc", "-format"}) EXPECT_EQ(isangle(word), 0) << word;
}

}  // namespace
