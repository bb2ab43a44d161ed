#include "util/calendar.h"

#include "gtest/gtest.h"

namespace {

using util::ckdate;
using util::date;
using util::datime;
using util::jdn;
using util::timvar;

TEST(Calendar, KnownTimeValues) {
  EXPECT_EQ(timvar(1700, 1, 1, 0, 0, 0.0, 1), 0.0);
  EXPECT_EQ(timvar(2000, 1, 1, 0, 0, 0.0, 1), 9467020800.0);
  EXPECT_EQ(timvar(1700, 1, 1, 0, 0, 1.5, 1), 1.5);
  EXPECT_EQ(jdn(2000, 1, 1, 1), 2451545);
  EXPECT_EQ(jdn(1700, 1, 1, 1), 2341973);
}

TEST(Calendar, DayNumbersRoundTripEveryDay) {
  // Every date from year 1 to 2400 comes back from its day number, and day
  // numbers run on without gaps.
  int expected = jdn(1, 1, 1, 1);
  for (int y = 1; y <= 2400; ++y)
    for (int m = 1; m <= 12; ++m)
      for (int d = 1; ckdate(y, m, d, 1) == 0; ++d) {
        int n = jdn(y, m, d, 1);
        ASSERT_EQ(n, expected) << y << "-" << m << "-" << d;
        ++expected;
        int yy, mm, dd;
        date(n, &yy, &mm, &dd, 1);
        ASSERT_EQ(yy * 10000 + mm * 100 + dd, y * 10000 + m * 100 + d);
      }
}

TEST(Calendar, FourYearCalendarRoundTrip) {
  for (int n = jdn(1, 1, 1, 0); n < jdn(3, 1, 1, 0) + 2000; ++n) {
    int y, m, d;
    date(n, &y, &m, &d, 0);
    ASSERT_EQ(jdn(y, m, d, 0), n);
  }
  EXPECT_EQ(util::isleap(1900, 0), 1);
  EXPECT_EQ(util::isleap(1900, 1), 0);
}

TEST(Calendar, MonthsOutsideTheYearCarryOver) {
  struct {
    int y, m, d, ey, em, ed;
  } cases[] = {
      {2000, 0, 1, 1999, 12, 1},  {1999, 13, 1, 2000, 1, 1}, {1999, 14, 29, 2000, 2, 29},
      {2000, 15, 1, 2001, 3, 1},  {2000, -1, 1, 1999, 11, 1}, {2000, -12, 5, 1998, 12, 5},
      {2000, 99, 1, 2008, 3, 1},  {2000, 1, 0, 1999, 12, 31}, {2000, 3, 0, 2000, 2, 29},
  };
  for (const auto& c : cases)
    EXPECT_EQ(jdn(c.y, c.m, c.d, 1), jdn(c.ey, c.em, c.ed, 1)) << c.y << " " << c.m << " " << c.d;
  EXPECT_EQ(timvar(2000, 1, 1, 24, 90, 0, 1), timvar(2000, 1, 2, 1, 30, 0, 1));
}

TEST(Calendar, SplitsTimeValues) {
  int y, mo, d, h, mi;
  double s;
  datime(9467020800.0 + 3661.5, &y, &mo, &d, &h, &mi, &s, 1);
  EXPECT_EQ(y * 10000 + mo * 100 + d, 20000101);
  EXPECT_EQ(h * 100 + mi, 101);
  EXPECT_EQ(s, 1.5);
  datime(-1.0, &y, &mo, &d, &h, &mi, &s, 1);
  EXPECT_EQ(y * 10000 + mo * 100 + d, 16991231);
  EXPECT_EQ(h * 100 + mi, 2359);
  EXPECT_EQ(s, 59.0);
  // Absurd values are held to a far-away day instead of overflowing.
  datime(1e300, &y, &mo, &d, &h, &mi, &s, 1);
  datime(-1e300, &y, &mo, &d, &h, &mi, &s, 1);
  datime(0.0 / 0.0, &y, &mo, &d, &h, &mi, &s, 1);
}

TEST(Calendar, ChecksDates) {
  EXPECT_EQ(ckdate(1900, 2, 29, 1), 1001);
  EXPECT_EQ(ckdate(2000, 2, 29, 1), 0);
  EXPECT_EQ(ckdate(2001, 4, 31, 1), 1001);
  EXPECT_EQ(ckdate(2001, 1, 0, 1), 1001);
  EXPECT_EQ(ckdate(2001, 13, 1, 1), 1002);
  EXPECT_EQ(ckdate(2001, 0, 1, 1), 1002);
  EXPECT_EQ(ckdate(0, 1, 1, 1), 1003);
  EXPECT_EQ(ckdate(-1, 2, 29, 1), 0);  // 1 BC is a leap year
}

TEST(Calendar, DaysOfTheYear) {
  int m, d;
  util::mnday(60, 1, &m, &d);
  EXPECT_EQ(m * 100 + d, 229);
  util::mnday(60, 0, &m, &d);
  EXPECT_EQ(m * 100 + d, 301);
  util::mnday(366, 1, &m, &d);
  EXPECT_EQ(m * 100 + d, 1231);
  EXPECT_EQ(util::yrday(3, 1, 1), 61);
  EXPECT_EQ(util::yrday(12, 31, 0), 365);
}

TEST(Calendar, MinimumAndMaximum) {
  const double v[] = {3, -1, 2};
  EXPECT_EQ(util::dmin(v, 3), -1);
  EXPECT_EQ(util::dmax(v, 3), 3);
  EXPECT_EQ(util::dmin(v, 0), 3);
  EXPECT_EQ(util::dmax(v, 1), 3);
}

}  // namespace
