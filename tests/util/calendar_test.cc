#include "util/calendar.h"

#include "gtest/gtest.h"

namespace {

using namespace util;

TEST(Calendar, KnownTimeValues) {
  EXPECT_EQ(timvar(1700, 1, 1, 0, 0, 0.0, 1), 0.0);
  EXPECT_EQ(timvar(2000, 1, 1, 0, 0, 0.0, 1), 9467020800.0);
  EXPECT_EQ(jdn(2000, 1, 1, 1), 2451545);
}

TEST(Calendar, DayNumbersRoundTripEveryDay) {
  // Every date from year 1 to 2400 comes back from its day number, and day
  // numbers run on without gaps.
  int expected = jdn(1, 1, 1, 1);
  for (int y = 1; y <= 2400; ++y)
    for (int m = 1; m <= 12; ++m)
      for (int d = 1; ckdate(y, m, d, 1) == 0; ++d) {
        int n = jdn(y, m, d, 1);
        ASSERT_EQ(n, expected++) << y << "-" << m << "-" << d;
        int yy, mm, dd;
        date(n, &yy, &mm, &dd, 1);
        ASSERT_EQ(yy * 10000 + mm * 100 + dd, y * 10000 + m * 100 + d);
      }
}

TEST(Calendar, MonthsOutsideTheYearCarryOver) {
  const struct { int y, m, d, ey, em, ed; } cases[] = {
      {2000, 0, 1, 1999, 12, 1},  {1999, 13, 1, 2000, 1, 1}, {1999, 14, 29, 2000, 2, 29},
      {2000, 15, 1, 2001, 3, 1},  {2000, -1, 1, 1999, 11, 1}, {2000, -12, 5, 1998, 12, 5},
      {2000, 99, 1, 2008, 3, 1},  {2000, 1, 0, 1999, 12, 31}, {2000, 3, 0, 2000, 2, 29},
  };
  for (const auto& c : cases)
    EXPECT_EQ(jdn(c.y, c.m, c.d, 1), jdn(c.ey, c.em, c.ed, 1)) << c.y << " " << c.m << " " << c.d;
  EXPECT_EQ(timvar(2000, 1, 1, 24, 90, 0, 1), timvar(2000, 1, 2, 1, 30, 0, 1));
}

// A time value split into its fields, written as yyyymmddhhmmss.
double split(double t) {
  int y, mo, d, h, mi;
  double s;
  datime(t, &y, &mo, &d, &h, &mi, &s, 1);
  return y * 1e10 + mo * 1e8 + d * 1e6 + h * 1e4 + mi * 100 + s;
}

TEST(Calendar, SplitsTimeValues) {
  EXPECT_EQ(split(9467020800.0 + 3661.5), 20000101010101.5);
  EXPECT_EQ(split(-1.0), 16991231235959.0);  // the day before, to its last second
}

TEST(Calendar, ChecksDatesAndBounds) {
  EXPECT_EQ(ckdate(2001, 13, 1, 1), 1002);
  EXPECT_EQ(ckdate(0, 1, 1, 1), 1003);
  EXPECT_EQ(ckdate(-1, 2, 29, 1), 0);  // 1 BC is a leap year
}

}  // namespace
