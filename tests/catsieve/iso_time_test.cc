#include "catsieve/iso_time.h"

#include "gtest/gtest.h"
#include "util/calendar.h"

namespace {

using catsieve::iso_time;

TEST(IsoTime, FormsAndLimits) {
  const double day = util::timvar(1995, 2, 14, 0, 0, 0, 1);
  const struct {
    const char* text;
    double value;
  } good[] = {
      {"1995-02-14", day},
      {"1995-02-14Z", day},
      {"1995-02-14T03:21", day + 3 * 3600 + 21 * 60},
      {"1995-02-14 03:21Z", day + 3 * 3600 + 21 * 60},
      {"1995-02-14T03:21:07", day + 3 * 3600 + 21 * 60 + 7},
      {"1995-02-14T03:21:07.42Z", util::timvar(1995, 2, 14, 3, 21, 7.42, 1)},
      {"1995-02-14T23:59:60.5", day + 86400 + 0.5},
      {"2000-02-29", util::timvar(2000, 2, 29, 0, 0, 0, 1)},
      {"1700-01-01", 0},
  };
  for (const auto& c : good) {
    double v = -1;
    EXPECT_TRUE(iso_time(c.text, &v)) << c.text;
    EXPECT_EQ(v, c.value) << c.text;
  }
  const char* const bad[] = {
      "",  "1995",  "95-02-14",  "1995-2-14",  "1995/02/14",  "19950214",  "0000-01-01",
      "1900-02-29",  "1995-13-01",  "1995-00-10",  "1995-04-31",  "1995-02-00",
      "1995-02-14T",  "1995-02-14T3:21",  "1995-02-14T03",  "1995-02-14T24:00",
      "1995-02-14T03:60",  "1995-02-14T03:21:61",  "1995-02-14T03:21:7",
      "1995-02-14T03:21:07.",  "1995-02-14T03:21:07,5",  "1995-02-14T03:21.5",
      "1995-02-14ZZ",  "1995-02-14z",  "1995-02-14 ",  "1995-02-14T03:21:07+01:00",
      "+1995-02-14",  " 1995-02-14",
  };
  for (const char* text : bad) {
    double v = -1;
    EXPECT_FALSE(iso_time(text, &v)) << text;
    EXPECT_EQ(v, -1) << text;
  }
}

}  // namespace
