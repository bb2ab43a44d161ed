// Dates and times, command-line words, event fields as text, and the error line.
#include <cerrno>
#include <cstring>

#include "cli/angle_words.h"
#include "query/iso_time.h"
#include "cli/time_words.h"
#include "gtest/gtest.h"
#include "outputs/event_text.h"
#include "util/calendar.h"

namespace {

using namespace catsieve;
using util::jdn;
using util::timvar;

ArgCursor cursor() {
  ArgCursor c;
  c.progname = "prog";
  return c;
}
double epoch(const char* word) {
  ArgCursor c = cursor();
  double t = -1;
  util::Status err;
  EXPECT_TRUE(epoch(c, word, &t, &err)) << word << err.text;
  return t;
}
double offset(const char* word) {
  double t = -1;
  util::Status err;
  EXPECT_TRUE(offset(cursor(), word, &t, &err)) << word << err.text;
  return t;
}

// Every date from year 1 to 2400 comes back from its day number, and day numbers run on without
// gaps; months and days outside their range carry over.
TEST(Calendar, DayNumbers) {
  EXPECT_EQ(jdn(2000, 1, 1, 1), 2451545);
  int expected = jdn(1, 1, 1, 1);
  for (int y = 1; y <= 2400; ++y)
    for (int m = 1; m <= 12; ++m)
      for (int d = 1; util::ckdate(y, m, d, 1) == 0; ++d) {
        int n = jdn(y, m, d, 1), yy, mm, dd;
        ASSERT_EQ(n, expected++) << y << "-" << m << "-" << d;
        util::date(n, &yy, &mm, &dd, 1);
        ASSERT_EQ(yy * 10000 + mm * 100 + dd, y * 10000 + m * 100 + d);
      }
  EXPECT_EQ(util::ckdate(2001, 13, 1, 1) * 10000 + util::ckdate(0, 1, 1, 1), 10021003);
  EXPECT_EQ(util::ckdate(-1, 2, 29, 1), 0);  // 1 BC is a leap year
  const int carried[][6] = {
      {2000, 0, 1, 1999, 12, 1}, {1999, 13, 1, 2000, 1, 1}, {1999, 14, 29, 2000, 2, 29},
      {2000, 15, 1, 2001, 3, 1}, {2000, -1, 1, 1999, 11, 1}, {2000, -12, 5, 1998, 12, 5},
      {2000, 99, 1, 2008, 3, 1}, {2000, 1, 0, 1999, 12, 31}, {2000, 3, 0, 2000, 2, 29}};
  for (const auto& c : carried)
    EXPECT_EQ(jdn(c[0], c[1], c[2], 1), jdn(c[3], c[4], c[5], 1)) << c[0] << " " << c[1];
}

// Time values count seconds from 1700-01-01 and split back into their fields.
TEST(Calendar, TimeValues) {
  EXPECT_EQ(timvar(1700, 1, 1, 0, 0, 0.0, 1), 0.0);
  EXPECT_EQ(timvar(2000, 1, 1, 24, 90, 0, 1), timvar(2000, 1, 2, 1, 30, 0, 1));
  for (const auto& [t, fields] : {std::pair{9467020800.0 + 3661.5, 20000101010101.5},
                                  {-1.0, 16991231235959.0}}) {  // the day before, its last second
    int y, mo, d, h, mi;
    double s;
    util::datime(t, &y, &mo, &d, &h, &mi, &s, 1);
    EXPECT_EQ(y * 1e10 + mo * 1e8 + d * 1e6 + h * 1e4 + mi * 100 + s, fields);
  }
  const double y2k = 9467020800.0;  // 2000-01-01, 109572 days after 1700-01-01
  EXPECT_EQ(timvar(2000, 1, 1, 0, 0, 0.0, 1), y2k);
  // Date words; their fields carry over: hour 24, day 00, months 13, 00 and 15.
  const std::pair<const char*, double> words[] = {
      {"20000101000000", y2k}, {"17000101000001.5", 1.5}, {"20000101000030.25", y2k + 30.25},
      {"20000101000000+1d-2h", y2k + 86400}, {"20000101000000.5-30m", y2k + 0.5 - 1800},
      {"19991231240000", y2k}, {"19991301000000", y2k}, {"20000200000000", epoch("20000131000000")},
      {"20000001000000", epoch("19991201000000")}, {"20001501000000", epoch("20010301000000")}};
  for (const auto& [word, t] : words) EXPECT_EQ(epoch(word), t) << word;
}

TEST(Words, OffsetsAndAngles) {
  const std::pair<const char*, double> offsets[] = {
      {"", 0}, {"+1d12h", 129600}, {"-30m", -1800}, {"+1.5h", 5400}, {"+2h30m15s", 9015}, {"-", 0},
      {"+1D1H1M1S", 90061}, {"+.5d", 43200}, {"+x", 0}, {"+1d+2h", 86400}, {"+1s junk", 1}};
  for (const auto& [word, seconds] : offsets) EXPECT_EQ(offset(word), seconds) << word;
  const std::pair<const char*, double> angles[] = {
      {"37:30", 37.5}, {"37:30:36", 37.51}, {"-122:15", -122.25}, {"+45", 45}, {"-0:30", -0.5},
      {"10.5", 10.5}, {"10:", 10}, {"abc", 0}, {"+-5", -5}, {"1:2:3:4", 1 + (2 + 3 / 60.0) / 60},
      {"5x:30", 5.5}};
  for (const auto& [word, degrees] : angles) EXPECT_DOUBLE_EQ(angle_value(word), degrees) << word;
  EXPECT_EQ(isangle(nullptr), 0);
  for (const char* word : {"", "-33.5", "::", "1:2:3:4"}) EXPECT_EQ(isangle(word), 1) << word;
  for (const char* word : {"33N", "abc", "-format"}) EXPECT_EQ(isangle(word), 0) << word;
}

TEST(Words, IsoTimes) {
  const double day = timvar(1995, 2, 14, 0, 0, 0, 1), hm = day + 3 * 3600 + 21 * 60;
  const std::pair<const char*, double> good[] = {
      {"1995-02-14", day}, {"1995-02-14Z", day}, {"1995-02-14T03:21", hm},
      {"1995-02-14 03:21Z", hm}, {"1995-02-14T03:21:07", hm + 7},
      {"1995-02-14T03:21:07.42Z", timvar(1995, 2, 14, 3, 21, 7.42, 1)},
      {"1995-02-14T23:59:60.5", day + 86400 + 0.5},
      {"2000-02-29", timvar(2000, 2, 29, 0, 0, 0, 1)}, {"1700-01-01", 0},
      // Offsets from UTC are taken off: local 04:21 at +01:00 is 03:21 UTC.
      {"1995-02-14T04:21:07+01:00", hm + 7}, {"1995-02-14T04:21+0100", hm},
      {"1995-02-13T21:51-05:30", hm}, {"1995-02-14T03:21:07.42+00:00",
                                       timvar(1995, 2, 14, 3, 21, 7.42, 1)}};
  for (const auto& [text, want] : good) {
    double v = -1;
    EXPECT_TRUE(iso_time(text, &v) && v == want) << text << " " << v;
  }
  for (const char* text :
       {"", "1995", "95-02-14", "1995-2-14", "1995/02/14", "19950214", "0000-01-01", "1900-02-29",
        "1995-13-01", "1995-00-10", "1995-04-31", "1995-02-00", "1995-02-14T", "1995-02-14T3:21",
        "1995-02-14T03", "1995-02-14T24:00", "1995-02-14T03:60", "1995-02-14T03:21:61",
        "1995-02-14T03:21:7", "1995-02-14T03:21:07.", "1995-02-14T03:21:07,5", "1995-02-14T03:21.5",
        "1995-02-14ZZ", "1995-02-14z", "1995-02-14 ", "1995-02-14+01:00", "+1995-02-14",
        " 1995-02-14", "1995-02-14T03:21+1", "1995-02-14T03:21+01:0", "1995-02-14T03:21+24:00",
        "1995-02-14T03:21+01:60", "1995-02-14T03:21Z+01:00", "1995-02-14T03:21 01:00"}) {
    double v = -1;
    EXPECT_TRUE(!iso_time(text, &v) && v == -1) << text;
  }
}

// The program name first; a system error left standing shows in parentheses.
TEST(Messages, LineFormat) {
  util::Status err;
  errno = ENOENT;
  EXPECT_FALSE(fail(cursor(), &err, "minimum %s value greater than maximum", "gap"));
  EXPECT_EQ(err.text, "prog: minimum gap value greater than maximum (No such file or directory)\n");
  errno = 0;
  fail(cursor(), &err, "Too few args");
  EXPECT_EQ(err.text + std::to_string(err.exit), "prog: Too few args\n1");
}

std::string str(const Text& t) { return std::string(t.buf, t.n); }

TEST(EventText, IsoTimes) {
  const double day = util::day_start(1995, 2, 14, 1), first = util::day_start(1, 1, 1, 1);
  const struct { double time; int digits; const char* text; } cases[] = {  // nullptr: no text
      {day + 3 * 3600 + 21 * 60 + 7.42, 2, "1995-02-14T03:21:07.42Z"},
      {day + 7.42, 0, "1995-02-14T00:00:07Z"}, {day + 7.005, 3, "1995-02-14T00:00:07.005Z"},
      // Rounding to the written decimals carries into the next year.
      {util::day_start(1999, 12, 31, 1) + 86399.996, 2, "2000-01-01T00:00:00.00Z"},
      {day + 1.5, 9, "1995-02-14T00:00:01.500000Z"},  // at most six decimals
      {day, -1, "1995-02-14T00:00:00Z"}, {first, 0, "0001-01-01T00:00:00Z"},
      {first - 0.5, 0, nullptr}, {util::day_start(10000, 1, 1, 1), 0, nullptr},
      {util::day_start(9999, 12, 31, 1) + 86399.9999, 2, nullptr}, {0.0 / 0.0, 2, nullptr}};
  for (const auto& c : cases) {
    Text text;
    EXPECT_EQ(iso_time_text(c.time, c.digits, text), c.text != nullptr) << str(text);
    EXPECT_EQ(str(text), c.text ? c.text : "") << c.digits;
  }
}

TEST(EventText, NumbersAndQuoting) {
  const struct { double v; int digits; const char* text; } numbers[] = {
      {12.340, 3, "12.34"}, {7.0, 2, "7"}, {-0.0, 2, "0"}, {-0.004, 2, "0"}, {-1.006, 2, "-1.01"},
      {0.05, 2, "0.05"}, {37 + 45.12 / 60, 6, "37.752"}, {-122.5126666667, 6, "-122.512667"},
      {8.76e16, kAnyDigits, "8.76e+16"}, {1e20, 2, "1e+20"}, {-0.0, kAnyDigits, "0"},
      {1.0 / 0.0, 2, ""}};
  for (const auto& n : numbers) {
    Text text;
    EXPECT_EQ(number_text(n.v, n.digits, text), *n.text != '\0');
    EXPECT_EQ(str(text), n.text) << n.v;
  }
  const char* const texts[][3] = {  // text, CSV cell, JSON string
      {"quarry blast", "quarry blast", "\"quarry blast\""}, {"a,b", "\"a,b\"", "\"a,b\""},
      {"say \"x\"", "\"say \"\"x\"\"\"", "\"say \\\"x\\\"\""},
      {"\n\\", "\"\n\\\"", "\"\\u000a\\\\\""}};
  for (const auto& t : texts) {
    Text csv, json;
    csv_cell(t[0], std::strlen(t[0]), csv);
    json_string(t[0], std::strlen(t[0]), json);
    EXPECT_EQ(str(csv) + " " + str(json), std::string(t[1]) + " " + t[2]);
  }
}

// Whole units against their decimal text cut at the point by hand: every
// digit count up to nineteen, every number of decimals, both signs, and a
// text that has no room left.
TEST(EventText, UnitsAgainstTheirDigits) {
  unsigned long long seed = 15;
  for (int i = 0; i < 20000; ++i) {
    seed = seed * 6364136223846793005ULL + 1442695040888963407ULL;
    unsigned long long limit = 10;  // 10^n for n = 1 to 18 digits
    for (int n = i % 18; n > 0; --n) limit *= 10;
    unsigned long long u = (seed >> 1) % limit;
    long long whole = i % 3 == 1 ? -static_cast<long long>(u) : static_cast<long long>(u);
    int digits = i % 10;
    std::string all = std::to_string(u);
    all.insert(0, digits + 1 > static_cast<int>(all.size()) ? digits + 1 - all.size() : 0, '0');
    std::string decimals = all.substr(all.size() - digits);
    decimals.erase(decimals.find_last_not_of('0') + 1);
    std::string want = (whole < 0 ? "-" : "") + all.substr(0, all.size() - digits) +
                       (decimals.empty() ? "" : "." + decimals);
    Text text, full;
    units_text(whole, digits, text);
    ASSERT_EQ(str(text), want) << whole << " " << digits;
    full.n = Text::kCapacity - 3;
    units_text(whole, digits, full);
    EXPECT_EQ(std::string(full.buf + Text::kCapacity - 3, full.n + 3 - Text::kCapacity),
              want.substr(0, 3));
  }
}

}  // namespace
