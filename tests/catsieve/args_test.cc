#include "catsieve/args.h"

#include "gtest/gtest.h"

namespace {

using catsieve::angle;
using catsieve::epoch;
using catsieve::isangle;
using catsieve::offset;

TEST(Epoch, DateWords) {
  EXPECT_EQ(epoch("20000101000000"), 9467020800.0);
  EXPECT_EQ(epoch("17000101000000"), 0.0);
  EXPECT_EQ(epoch("17000101000001.5"), 1.5);
  EXPECT_EQ(epoch("20000101000030.25"), 9467020830.25);
  EXPECT_EQ(epoch("20000101000000+"), 9467020800.0);
  EXPECT_EQ(epoch("20000101000000+1d-2h"), 9467020800.0 + 86400);
  EXPECT_EQ(epoch("20000101000000.5-30m"), 9467020800.5 - 1800);
  // Fields carry over: hour 24, day 00, month 13 and month 00.
  EXPECT_EQ(epoch("19991231240000"), 9467020800.0);
  EXPECT_EQ(epoch("20000200000000"), epoch("20000131000000"));
  EXPECT_EQ(epoch("19991301000000"), 9467020800.0);
  EXPECT_EQ(epoch("20000001000000"), epoch("19991201000000"));
  EXPECT_EQ(epoch("20001501000000"), epoch("20010301000000"));
}

TEST(Offset, Sums) {
  struct {
    const char* text;
    double seconds;
  } cases[] = {
      {"", 0},           {"+1d12h", 129600},   {"-30m", -1800},   {"+1.5h", 5400},
      {"+2h30m15s", 9015}, {"+1D1H1M1S", 90061}, {"+.5d", 43200}, {"-", 0},
      {"+x", 0},         {"+1d+2h", 86400},    {"+1s junk", 1},
  };
  for (const auto& c : cases) EXPECT_EQ(offset(c.text), c.seconds) << c.text;
}

TEST(Angle, Words) {
  struct {
    const char* word;
    double degrees;
  } cases[] = {
      {"37:30", 37.5},  {"37:30:36", 37.51}, {"-122:15", -122.25}, {"+45", 45},
      {"-0:30", -0.5},  {"-10:30", -10.5},   {"10.5", 10.5},       {"10:", 10},
      {"abc", 0},       {"+-5", -5},         {"1:2:3:4", 1 + (2 + 3 / 60.0) / 60},
      {"5x:30", 5.5},   {"", 0},
  };
  for (const auto& c : cases) EXPECT_DOUBLE_EQ(angle(c.word), c.degrees) << c.word;
}

TEST(Angle, IsAngle) {
  EXPECT_EQ(isangle(nullptr), 0);
  EXPECT_EQ(isangle(""), 1);
  EXPECT_EQ(isangle("-33.5"), 1);
  EXPECT_EQ(isangle("::"), 1);
  EXPECT_EQ(isangle("1:2:3:4"), 1);
  EXPECT_EQ(isangle("33N"), 0);
  EXPECT_EQ(isangle("abc"), 0);
  EXPECT_EQ(isangle("-format"), 0);
}

}  // namespace
