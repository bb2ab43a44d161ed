// Event IDs: their text and its reading, the order of their keys, the
// numbering of records of the same time, and the exact origin time of a
// record with fields beyond their ranges.
#include "query/event_id.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "readers/event_fields.h"
#include "readers/stem_counter.h"
#include "records/field.h"
#include "util/calendar.h"

namespace catsieve {
namespace {

long long at(int y, int mo, int d, int h, int mi, int s) {
  return static_cast<long long>(util::day_start(y, mo, d, 1)) + h * 3600LL + mi * 60LL + s;
}

TEST(EventIds, TextAndItsReading) {
  struct Case {
    const char* word;
    Stem stem;
    int number;
    const char* text;
  };
  const Case cases[] = {
      {"tarn", {at(1995, 2, 14, 3, 21, 7), 42, 2}, 1, "tarn19950214032107.42"},
      {"tarn", {at(1995, 2, 14, 3, 21, 7), 42, 2}, 2, "tarn19950214032107.42-2"},
      {"orv", {at(2001, 2, 9, 19, 5, 12), 500, 3}, 1, "orv20010209190512.500"},
      {"f_brim", {at(2004, 1, 8, 0, 0, 0), 5, 2}, 12, "f_brim20040108000000.05-12"},
      {"kelp", {at(1999, 12, 31, 23, 59, 59), 0, 0}, 1, "kelp19991231235959"},
      {"mech", {at(1600, 3, 1, 1, 2, 3), 0, 1}, 1, "mech16000301010203.0"},
  };
  for (const Case& c : cases) {
    std::string text;
    ASSERT_TRUE(event_id_text(EventId{c.word, c.stem, c.number}, &text));
    EXPECT_EQ(text, c.text);
    std::string word;
    Stem stem;
    int number = 0;
    ASSERT_TRUE(parse_event_id(text, &word, &stem, &number)) << text;
    EXPECT_EQ(word, c.word);
    EXPECT_EQ(stem_key(stem), stem_key(c.stem)) << text;
    EXPECT_EQ(number, c.number);
  }
  for (const char* bad : {"", "tarn", "19950214032107", "tarn1995021403210", "tarn19951314032107",
                          "tarn19950230000000", "tarn19950214246000", "tarn19950214032107.",
                          "tarn19950214032107-1", "tarn19950214032107-01", "tarn19950214032107x",
                          "Tarn19950214032107", "tarn19950214032107.42-", "tarn 19950214032107"}) {
    std::string word;
    Stem stem;
    int number;
    EXPECT_FALSE(parse_event_id(bad, &word, &stem, &number)) << bad;
  }
}

TEST(EventIds, KeysFollowTimeThenDecimals) {
  const Stem order[] = {{at(1600, 1, 1, 0, 0, 0), 0, 0},
                        {-1, 999999, 6},
                        {0, 0, 0},
                        {0, 0, 2},
                        {0, 5, 1},
                        {0, 51, 2},
                        {1, 0, 0},
                        {at(9999, 12, 31, 23, 59, 59), 9, 1}};
  for (size_t i = 1; i < sizeof order / sizeof order[0]; ++i)
    EXPECT_LT(stem_key(order[i - 1]), stem_key(order[i])) << i;
}

TEST(EventIds, RecordsNumberedAmongThoseOfTheirStem) {
  // Letters stand for stems in time order: a < b < c.
  const Stem a{100, 0, 0}, b{100, 50, 2}, c{200, 0, 0};
  struct Case {
    std::vector<Stem> stems;
    std::vector<int> numbers;
  };
  const Case cases[] = {
      {{a, a, a}, {1, 2, 3}},
      {{a, b, c}, {1, 1, 1}},
      {{a, b, a, c, b, a}, {1, 1, 2, 1, 2, 3}},  // back to earlier stems
      {{c, a, a, c}, {1, 1, 2, 2}},
      {{b, a, b, a, b}, {1, 1, 2, 2, 3}},
      {{c, c, b, a, a}, {1, 2, 1, 1, 2}},              // falling
      {{b, c, a, b, c, a, b}, {1, 1, 1, 2, 2, 2, 3}},  // neither
  };
  for (const Case& k : cases) {
    StemCounter counter;
    std::vector<int> got;
    for (const Stem& s : k.stems) got.push_back(counter.next(s));
    EXPECT_EQ(got, k.numbers);
    counter.clear();
    EXPECT_EQ(counter.next(k.stems[0]), 1);
  }
}

double day_of(DayCache&, const Line& l) {
  return util::day_start(fint(l, Col{1, 4, 0}), fint(l, Col{5, 2, 0}), fint(l, Col{7, 2, 0}), 1);
}

TEST(EventIds, RecordTimesCarryOverAsTheTimeTestReadsThem) {
  // yyyymmdd hhmm ss.ss lat lon
  const EventFields f = {day_of,    {1, 4, 0},  0,          {5, 2, 0},  {7, 2, 0},
                         {0, 0, 0}, {10, 2, 0}, {12, 2, 0}, {14, 6, 0}, {20, 4, 0},
                         {0, 0, 0}, {24, 5, 0}, {0, 0, 0}};
  struct Case {
    const char* line;
    bool event;
    const char* id;
    const char* fault;
  };
  const Case cases[] = {
      {"19950214 0321 07.42  38 -122", true, "x19950214032107.42", ""},
      {"19950229 2560 60.5   38 -122", true, "x19950302020100.5", "day 29"},
      {"19950214 0321 -1.25  38 -122", true, "x19950214032058.75", "seconds -1.25"},
      {"19950214 0321 07.42     -122", false, "", ""},
      {"         0321 07.42  38 -122", false, "", ""},
      {"", false, "", ""},
  };
  DayCache days;
  for (const Case& c : cases) {
    Line l{c.line, std::strlen(c.line)};
    EXPECT_EQ(is_event(l, f), c.event) << c.line;
    if (!c.event) continue;
    std::string text;
    ASSERT_TRUE(event_id_text(EventId{"x", record_stem(days, l, f), 1}, &text));
    EXPECT_EQ(text, c.id);
    EXPECT_EQ(field_out_of_range(l, f), c.fault) << c.line;
  }
}

}  // namespace
}  // namespace catsieve
