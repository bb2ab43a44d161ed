// Event fields as text: ISO times at the precision of the record, numbers,
// and the quoting of CSV cells and JSON strings.
#include "catsieve/event_text.h"

#include <string>

#include "gtest/gtest.h"
#include "util/calendar.h"

namespace {

using namespace catsieve;

TEST(EventText, IsoTimes) {
  const double day = util::day_start(1995, 2, 14, 1);
  const struct {
    double time;
    int digits;
    const char* text;  // nullptr: no text
  } cases[] = {
      {day + 3 * 3600 + 21 * 60 + 7.42, 2, "1995-02-14T03:21:07.42Z"},
      {day + 7.42, 0, "1995-02-14T00:00:07Z"},
      {day + 7.005, 3, "1995-02-14T00:00:07.005Z"},
      // Rounding to the written decimals carries into the next year.
      {util::day_start(1999, 12, 31, 1) + 86399.996, 2, "2000-01-01T00:00:00.00Z"},
      {day + 1.5, 9, "1995-02-14T00:00:01.500000Z"},  // at most six decimals
      {day, -1, "1995-02-14T00:00:00Z"},
      {util::day_start(1, 1, 1, 1), 0, "0001-01-01T00:00:00Z"},
      {util::day_start(1, 1, 1, 1) - 0.5, 0, nullptr},
      {util::day_start(10000, 1, 1, 1), 0, nullptr},
      {util::day_start(9999, 12, 31, 1) + 86399.9999, 2, nullptr},
      {0.0 / 0.0, 2, nullptr},
  };
  for (const auto& c : cases) {
    std::string text;
    EXPECT_EQ(iso_time_text(c.time, c.digits, text), c.text != nullptr) << text;
    EXPECT_EQ(text, c.text ? c.text : "") << c.digits;
  }
}

TEST(EventText, NumbersAndQuoting) {
  const struct {
    double v;
    const char* text;
  } numbers[] = {{12.34, "12.34"}, {-0.0, "0"}, {37 + 45.12 / 60, "37.752"}, {8.76e16, "8.76e+16"},
                 {1.0 / 0.0, ""}};
  for (const auto& n : numbers) {
    std::string text;
    EXPECT_EQ(number_text(n.v, text), *n.text != '\0');
    EXPECT_EQ(text, n.text);
  }
  const struct {
    const char* text;
    const char* csv;
    const char* json;
  } texts[] = {
      {"quarry blast", "quarry blast", "\"quarry blast\""},
      {"a,b", "\"a,b\"", "\"a,b\""},
      {"say \"x\"", "\"say \"\"x\"\"\"", "\"say \\\"x\\\"\""},
      {"\n\\", "\"\n\\\"", "\"\\u000a\\\\\""},
  };
  for (const auto& t : texts) {
    std::string csv, json;
    csv_cell(t.text, csv);
    json_string(t.text, json);
    EXPECT_EQ(csv, t.csv);
    EXPECT_EQ(json, t.json);
  }
}

}  // namespace
