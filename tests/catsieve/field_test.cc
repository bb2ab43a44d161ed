#include "catsieve/field.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "catsieve/day_cache.h"
#include "gtest/gtest.h"
#include "util/calendar.h"

namespace {

using catsieve::Col;
using catsieve::Line;

Line line(const std::string& s) { return Line{s.data(), s.size()}; }

TEST(Field, RandomTextsConvertAsTheCLibraryDoes) {
  // Texts drawn from the characters that matter to a number reader, set
  // between digits that must never be read with them; the reals are
  // compared bit for bit, so that even the sign of zero counts.
  // The second alphabet keeps to what the inline fast path reads itself.
  const std::string alphabets[] = {" +-.0123456789eExXinfaN\n\t", "  +-.0123456789012345"};
  unsigned seed = 12345;
  auto next = [&seed] { return seed = seed * 1103515245u + 12345u, (seed >> 8) & 0xffff; };
  for (int i = 0; i < 400000; ++i) {
    const std::string& alphabet = alphabets[i % 2];
    int width = 1 + static_cast<int>(next() % 20), at = 1 + static_cast<int>(next() % 4);
    std::string t;
    for (int k = 0; k < width; ++k) t += next() % 40 == 0 ? '\0' : alphabet[next() % alphabet.size()];
    std::string s = std::string(static_cast<size_t>(at - 1), '7') + t + "987";
    char buf[32];
    std::memcpy(buf, t.data(), t.size());
    buf[t.size()] = '\0';
    ASSERT_EQ(catsieve::fint(line(s), Col{at, width, 0}), std::atoi(buf)) << t;
    for (int dec = 0; dec < 3; ++dec) {
      double want = std::atof(buf) / (dec == 0 ? 1 : dec == 1 ? 10 : 100);
      double got = catsieve::freal(line(s), Col{at, width, dec});
      if (std::isnan(want))
        ASSERT_TRUE(std::isnan(got)) << t;
      else
        ASSERT_EQ(std::memcmp(&got, &want, sizeof got), 0) << t << " dec " << dec << ": " << got << " " << want;
    }
  }
}

// The day kept from the record before and the early time test decide as
// working out every record in full does: records a few days either side of
// the interval, often on the day of the one before, with hours past 24,
// seconds that are no plain number, and records cut inside the date.
TEST(DayCache, DecidesAsTheFullTime) {
  const catsieve::Bounds<double> b{true, util::day_start(1995, 3, 1, 1) + 3600.5,
                                   util::day_start(1995, 3, 3, 1) + 7.25};
  const char* const seconds[] = {"59.99", " 0.00", "  nan", "  7  ", "-5.5 ", "1e5  ", "7.25 "};
  const Col hour{9, 2, 0}, minute{11, 2, 0}, secs{13, 5, 0};
  catsieve::DayCache cache;
  unsigned seed = 99, day = 1;
  auto next = [&seed] { return seed = seed * 1103515245u + 12345u, (seed >> 8) & 0xffff; };
  for (int i = 0; i < 200000; ++i) {
    if (next() % 4 == 0) day = next() % 9;  // February 26 to March 6
    char text[40];
    std::snprintf(text, sizeof text, "1995%02u%02u%02u%02u%s", 2 + (day + 26) / 29,
                  day < 3 ? day + 26 : day - 2, next() % 100, next() % 61, seconds[next() % 7]);
    std::string rec = text;
    if (next() % 20 == 0) rec.resize(next() % 10);
    Line l = line(rec);
    auto full = [&l] {
      return util::day_start(catsieve::fint(l, Col{1, 4, 0}), catsieve::fint(l, Col{5, 2, 0}),
                             catsieve::fint(l, Col{7, 2, 0}), 1);
    };
    double start = catsieve::cached_day(cache, l, 1, 8, full);
    ASSERT_EQ(start, full()) << rec;
    bool want = b.holds(util::time_of_day(full(), catsieve::fint(l, hour),
                                          catsieve::fint(l, minute), catsieve::freal(l, secs)));
    ASSERT_EQ(catsieve::otime_in(b, start, l, hour, minute, secs), want) << rec;
  }
}

TEST(Field, ColumnsPastTheEndReadAsBlanks) {
  const std::string s = "12345";
  Line l = line(s);
  EXPECT_EQ(catsieve::fint(l, Col{4, 4, 0}), 45);
  EXPECT_EQ(catsieve::fint(l, Col{6, 3, 0}), 0);
  EXPECT_EQ(catsieve::fchar(l, 5), '5');
  EXPECT_EQ(catsieve::fchar(l, 6), ' ');
  char buf[8];
  EXPECT_STREQ(catsieve::field_text(l, 4, 4, buf), "45  ");
}


}  // namespace
