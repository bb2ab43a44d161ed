// Event fields as text: ISO times at the precision of the record, numbers,
// and the quoting of CSV cells and JSON strings.
#include "catsieve/event_text.h"

#include <cstring>
#include <string>

#include "gtest/gtest.h"
#include "util/calendar.h"

namespace {

using namespace catsieve;

std::string str(const Text& t) { return std::string(t.buf, t.n); }

TEST(EventText, IsoTimes) {
  const double day = util::day_start(1995, 2, 14, 1);
  const struct {
    double time;
    int digits;
    const char* text;  // nullptr: no text
  } cases[] = {
      {day + 3 * 3600 + 21 * 60 + 7.42, 2, "1995-02-14T03:21:07.42Z"},
      {day + 7.42, 0, "1995-02-14T00:00:07Z"}, {day + 7.005, 3, "1995-02-14T00:00:07.005Z"},
      // Rounding to the written decimals carries into the next year.
      {util::day_start(1999, 12, 31, 1) + 86399.996, 2, "2000-01-01T00:00:00.00Z"},
      {day + 1.5, 9, "1995-02-14T00:00:01.500000Z"},  // at most six decimals
      {day, -1, "1995-02-14T00:00:00Z"}, {util::day_start(1, 1, 1, 1), 0, "0001-01-01T00:00:00Z"},
      {util::day_start(1, 1, 1, 1) - 0.5, 0, nullptr}, {util::day_start(10000, 1, 1, 1), 0, nullptr},
      {util::day_start(9999, 12, 31, 1) + 86399.9999, 2, nullptr}, {0.0 / 0.0, 2, nullptr},
  };
  for (const auto& c : cases) {
    Text text;
    EXPECT_EQ(iso_time_text(c.time, c.digits, text), c.text != nullptr) << str(text);
    EXPECT_EQ(str(text), c.text ? c.text : "") << c.digits;
  }
}

TEST(EventText, NumbersAndQuoting) {
  const struct { double v; int digits; const char* text; } numbers[] = {
      {12.340, 3, "12.34"},      {7.0, 2, "7"},          {-0.0, 2, "0"},
      {-0.004, 2, "0"},          {-1.006, 2, "-1.01"},   {0.05, 2, "0.05"},
      {37 + 45.12 / 60, 6, "37.752"}, {-122.5126666667, 6, "-122.512667"},
      {8.76e16, kAnyDigits, "8.76e+16"}, {1e20, 2, "1e+20"}, {-0.0, kAnyDigits, "0"}, {1.0 / 0.0, 2, ""},
  };
  for (const auto& n : numbers) {
    Text text;
    EXPECT_EQ(number_text(n.v, n.digits, text), *n.text != '\0');
    EXPECT_EQ(str(text), n.text) << n.v;
  }
  const struct { const char* text; const char* csv; const char* json; } texts[] = {
      {"quarry blast", "quarry blast", "\"quarry blast\""}, {"a,b", "\"a,b\"", "\"a,b\""},
      {"say \"x\"", "\"say \"\"x\"\"\"", "\"say \\\"x\\\"\""}, {"\n\\", "\"\n\\\"", "\"\\u000a\\\\\""},
  };
  for (const auto& t : texts) {
    Text csv, json;
    csv_cell(t.text, std::strlen(t.text), csv);
    json_string(t.text, std::strlen(t.text), json);
    EXPECT_EQ(str(csv), t.csv);
    EXPECT_EQ(str(json), t.json);
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
