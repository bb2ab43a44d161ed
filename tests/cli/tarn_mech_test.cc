// Command-line tests of the tarn mechanism readers, old and Y2K layouts.
// Most cases are written once in old-layout columns and run in both
// layouts: the Y2K record is the same event with a four-digit year and every
// later column two to the right.
#include <string>
#include <utility>
#include <vector>

#include "gtest/gtest.h"
#include "support/cli_harness.h"
#include "support/temp_dir.h"

namespace {

using Fields = std::vector<std::pair<int, std::string>>;

const char kNotAvailable[] = "Specified magnitude not available for tarn mech\n";

// Column of the given layout for an old-layout column.
int at(bool y2k, int col) { return y2k && col >= 3 ? col + 2 : col; }

// A record from old-layout fields, blank elsewhere; in the Y2K layout a
// two-digit year gains the century 19.
std::string mech(bool y2k, const Fields& fields, bool newline = true) {
  std::string r;
  for (const auto& f : fields) {
    std::string text = f.second;
    if (y2k && f.first == 1 && text.size() == 2) text = "19" + text;
    size_t from = static_cast<size_t>(at(y2k, f.first) - 1);
    if (r.size() < from + text.size()) r.resize(from + text.size(), ' ');
    r.replace(from, text.size(), text);
  }
  if (newline) r += '\n';
  return r;
}

// Every field filled to its full width, and digits in the columns 44-45 and
// 78 that are not read, so that reading one column too many or too few
// changes the value wherever the neighbour is a digit (the field cases put
// digits where it is not).
const Fields kDense = {
    {1, "99"},     {3, "1231"},   {8, "2359"},     {12, "59.125"}, {18, "-37"},
    {21, "S"},     {22, "30.15"}, {27, "-122"},    {31, "W"},      {32, "15.45"},
    {37, "1012.25"}, {44, "77"},  {46, "3.125"},   {51, "123"},    {54, "98.5"},
    {58, "123.5"}, {63, "1.125"}, {68, "15075"},   {73, "23456"},  {78, "9"},
};

CliCase mech_case(std::string name, std::vector<std::string> args, std::string input,
                  std::string out, std::string err = "", int status = 0) {
  args.insert(args.begin(), {"-format", "mech"});
  args.push_back("@in");
  return CliCase{std::move(name), std::move(args), {{"in", std::move(input)}}, "",
                 std::move(out), std::move(err), status};
}

// Each field read from exactly its columns: the dense record passes a range
// holding only its value, and the same record with that field blanked
// fails it.  Where a neighbour is a sign, a blank or a hemisphere letter,
// extra puts a digit there instead; a first record of the year 1900 with
// nothing else settles the layout, so that column 7 may hold one too.
struct FieldCase {
  const char* name;
  std::vector<std::string> args;
  int col, width;
  Fields extra;
};

const FieldCase kFields[] = {
    {"year", {"-time", "19991231235959.1249", "19991231235959.1251"}, 1, 2, {}},
    {"month_day", {"-time", "19991231235959.1249", "19991231235959.1251"}, 3, 4, {{7, "5"}}},
    {"hour_minute", {"-time", "19991231235959.1249", "19991231235959.1251"}, 8, 4, {{7, "5"}}},
    {"seconds", {"-time", "19991231235959.1249", "19991231235959.1251"}, 12, 6, {{18, "9"}}},
    {"lat_degrees", {"-latitude", "137.50249", "137.50251"}, 18, 3, {{18, "1"}, {21, "5"}}},
    {"lat_minutes", {"-latitude", "-37.50251", "-37.50249"}, 22, 5, {}},
    {"lon_degrees", {"-longitude", "-122.25751", "-122.25749"}, 27, 4, {{31, "5"}}},
    {"lon_minutes", {"-longitude", "-122.25751", "-122.25749"}, 32, 5, {}},
    {"depth", {"-depth", "1012.25", "1012.25"}, 37, 7, {}},
    {"magnitude", {"-magnitude", "3.125", "3.125"}, 46, 5, {}},
    {"stations", {"-nstations", "123", "123"}, 51, 3, {}},
    {"gap", {"-gap", "98.5", "98.5"}, 54, 4, {}},
    {"closest", {"-closest", "123.5", "123.5"}, 58, 5, {}},
    {"rms", {"-rms", "1.125", "1.125"}, 63, 5, {}},
    {"horizontal_error", {"-errhoriz", "150.75", "150.75"}, 68, 5, {}},
    {"depth_error", {"-errdepth", "234.56", "234.56"}, 73, 5, {}},
};

std::vector<CliCase> field_cases(bool y2k) {
  std::vector<CliCase> cases;
  std::string settle = mech(y2k, {{1, "00"}, {3, "0000"}, {21, " "}, {31, " "}});
  for (const FieldCase& f : kFields) {
    Fields fields = kDense;
    fields.insert(fields.end(), f.extra.begin(), f.extra.end());
    std::string dense = mech(y2k, fields);
    std::string blanked = dense;
    int width = y2k && f.col == 1 ? f.width + 2 : f.width;
    blanked.replace(static_cast<size_t>(at(y2k, f.col) - 1), static_cast<size_t>(width),
                    static_cast<size_t>(width), ' ');
    cases.push_back(mech_case(f.name, f.args, settle + dense + blanked, dense));
  }
  return cases;
}

// Hemisphere letters: only a capital S makes a latitude south and only a
// capital E makes a longitude east; the sign of the degrees is dropped.
struct HemCase {
  const char* name;
  const char* latdeg;
  const char* lathem;
  const char* londeg;
  const char* lonhem;
  const char* lat;
  const char* lon;
};

const HemCase kHems[] = {
    {"S_is_south", "-37", "S", " 122", " ", "-37.5", "-122.25"},
    {"lower_s_is_north", " 37", "s", " 122", " ", "37.5", "-122.25"},
    {"N_and_minus_degrees_is_north", "-37", "N", " 122", " ", "37.5", "-122.25"},
    {"blank_is_north", " 37", " ", " 122", " ", "37.5", "-122.25"},
    {"E_is_east", " 37", " ", " 122", "E", "37.5", "122.25"},
    {"lower_e_is_west", " 37", " ", " 122", "e", "37.5", "-122.25"},
    {"W_and_minus_degrees_is_west", " 37", " ", "-122", "W", "37.5", "-122.25"},
};

std::vector<CliCase> hemisphere_cases(bool y2k) {
  std::vector<CliCase> cases;
  for (const HemCase& h : kHems) {
    std::string r = mech(y2k, {{1, "95"}, {3, "0612"}, {8, "0830"}, {12, " 12.50"},
                               {18, h.latdeg}, {21, h.lathem}, {22, "30.00"},
                               {27, h.londeg}, {31, h.lonhem}, {32, "15.00"}, {37, "   8.20"}});
    cases.push_back(mech_case(h.name, {"-latitude", h.lat, h.lat, "-longitude", h.lon, h.lon}, r, r));
  }
  return cases;
}

// The magnitude test comes after time, latitude, longitude and depth and
// before every other test: a type this catalog cannot supply ends the run
// only on a record that passed the earlier tests.
struct OrderCase {
  const char* name;
  std::vector<std::string> args;
  bool ends_run;
};

const OrderCase kOrder[] = {
    {"time_first", {"-time", "20000101000000", "20010101000000"}, false},
    {"latitude_first", {"-latitude", "0", "10"}, false},
    {"longitude_first", {"-longitude", "0", "10"}, false},
    {"depth_first", {"-depth", "0", "5"}, false},
    {"then_stations", {"-nstations", "0", "1"}, true},
    {"then_rms", {"-rms", "0", "0.5"}, true},
    {"then_gap", {"-gap", "0", "1"}, true},
    {"then_closest", {"-closest", "0", "1"}, true},
    {"then_horizontal_error", {"-errhoriz", "0", "1"}, true},
    {"then_depth_error", {"-errdepth", "0", "1"}, true},
    // The point lies in the polygon's box but outside the triangle, and in
    // the ring's box but nearer than its inner radius.
    {"then_polygon", {"-polygon", "-38", "-123", "-37", "-123", "-38", "-122"}, true},
    {"then_delta", {"-delta", "-37.5025", "-122.2575", "1", "50"}, true},
};

std::vector<CliCase> order_cases(bool y2k) {
  std::vector<CliCase> cases;
  std::string dense = mech(y2k, kDense);
  for (const OrderCase& o : kOrder) {
    std::vector<std::string> args = o.args;
    args.insert(args.end(), {"-mtype", "ml", "-magnitude", "0", "9"});
    cases.push_back(mech_case(o.name, args, dense, "", o.ends_run ? kNotAvailable : "",
                              o.ends_run ? 1 : 0));
  }
  return cases;
}

// Magnitude: avg only, a blank or zero field is no magnitude.
std::vector<CliCase> magnitude_cases(bool y2k) {
  Fields base = {{1, "96"}, {3, "0101"}, {8, "1200"}, {12, " 10.00"}, {18, " 36"},
                 {22, "30.00"}, {27, " 120"}, {32, "30.00"}, {37, "   6.00"}};
  auto with = [&](int col, const char* text) {
    Fields f = base;
    f.push_back({col, text});
    return mech(y2k, f);
  };
  std::string m3 = with(46, " 3.10"), zero = with(46, " 0.00"), blank = with(46, "     ");
  std::string deep = mech(y2k, {{1, "96"}, {3, "0101"}, {8, "1200"}, {37, "  10.00"}, {46, " 3.10"}});
  std::string negative = with(46, "-0.50");
  std::string all = m3 + zero + blank;
  return {
      mech_case("range", {"-magnitude", "2", "4"}, all, m3),
      mech_case("no_mag_passes_zero_and_blank", {"-magnitude", "2", "4", "-no_mag"}, all, all),
      mech_case("no_mag_still_tests_the_others", {"-magnitude", "3.2", "4", "-no_mag"}, all,
                zero + blank),
      mech_case("no_mag_alone_has_no_effect", {"-no_mag"}, all, all),
      mech_case("negate", {"-magnitude", "2", "4", "-negate"}, all, zero + blank),
      // Only zero is no magnitude; a negative value is one.
      mech_case("negative_is_a_magnitude", {"-magnitude", "-1", "-0.5"}, all + negative, negative),
      mech_case("negative_is_not_missing", {"-magnitude", "2", "4", "-no_mag"}, negative, ""),
      mech_case("other_type_unused_without_magnitude", {"-mtype", "ml"}, all, all),
      mech_case("other_type_ends_run", {"-mtype", "ml", "-magnitude", "0", "9"}, all, "",
                kNotAvailable, 1),
      // Written records stay written: the first record fails the depth
      // test and is written under -negate before the second ends the run.
      mech_case("other_type_after_output", {"-negate", "-depth", "0", "8", "-mtype", "ml",
                                            "-magnitude", "0", "9"},
                deep + m3, deep, kNotAvailable, 1),
      // A later type is reached only when avg is blank or zero.
      mech_case("avg_then_other_type", {"-mtype", "avg,ml", "-magnitude", "0", "9"}, all, m3,
                kNotAvailable, 1),
  };
}

// Short records read blanks past their end, never an earlier record's
// columns; a last line without a newline is written without one.
std::vector<CliCase> short_record_cases(bool y2k) {
  std::string dense = mech(y2k, kDense);
  std::string cut = mech(y2k, {{1, "99"}, {3, "1231"}, {8, "2359"}, {12, "59.125"}, {18, "-37"},
                               {21, "S"}, {22, "30.15"}, {27, "-122"}, {31, "W"}, {32, "15.45"}},
                         false);
  return {
      mech_case("depth_past_end", {"-depth", "0", "0"}, dense + cut, cut),
      mech_case("depth_error_past_end", {"-errdepth", "0", "0"}, dense + cut, cut),
      mech_case("lon_minutes_reach_end", {"-longitude", "-122.25751", "-122.25749"}, dense + cut,
                dense + cut),
  };
}

// Every other option leaves this format alone, including the default
// event-type list.
std::vector<CliCase> ignored_option_cases(bool y2k) {
  std::string dense = mech(y2k, kDense);
  const std::vector<std::vector<std::string>> options = {
      {"-etype", "q"},       {"-quality", "z"},    {"-felt"},
      {"-nmag", "5", "6"},   {"-m0", "1", "2"},    {"-nm0", "1", "2"},
      {"-errtime", "5", "6"}, {"-errlat", "5", "6"}, {"-errlon", "5", "6"},
  };
  std::vector<CliCase> cases;
  for (const auto& o : options) cases.push_back(mech_case(o[0].substr(1), o, dense, dense));
  return cases;
}

// -delta around a point on the 180th meridian reaches both sides of it.
std::vector<CliCase> dateline_cases(bool y2k) {
  std::string east = mech(y2k, {{1, "97"}, {3, "0301"}, {8, "0000"}, {18, "-17"}, {21, "S"},
                                {22, " 0.00"}, {27, " 179"}, {31, "E"}, {32, "30.00"}});
  std::string west = mech(y2k, {{1, "97"}, {3, "0301"}, {8, "0000"}, {18, "-17"}, {21, "S"},
                                {22, " 0.00"}, {27, " 179"}, {31, "W"}, {32, "30.00"}});
  std::string far = mech(y2k, {{1, "97"}, {3, "0301"}, {8, "0000"}, {18, "-17"}, {21, "S"},
                               {22, " 0.00"}, {27, " 178"}, {31, "W"}, {32, " 0.00"}});
  return {mech_case("delta_across_180", {"-delta", "-17", "180", "0", "100"}, east + west + far,
                    east + west)};
}

class MechOld : public ::testing::TestWithParam<CliCase> {};
TEST_P(MechOld, Run) { check_case(GetParam()); }
class MechY2k : public ::testing::TestWithParam<CliCase> {};
TEST_P(MechY2k, Run) { check_case(GetParam()); }

INSTANTIATE_TEST_SUITE_P(Fields, MechOld, ::testing::ValuesIn(field_cases(false)));
INSTANTIATE_TEST_SUITE_P(Fields, MechY2k, ::testing::ValuesIn(field_cases(true)));
INSTANTIATE_TEST_SUITE_P(Hemispheres, MechOld, ::testing::ValuesIn(hemisphere_cases(false)));
INSTANTIATE_TEST_SUITE_P(Hemispheres, MechY2k, ::testing::ValuesIn(hemisphere_cases(true)));
INSTANTIATE_TEST_SUITE_P(TestOrder, MechOld, ::testing::ValuesIn(order_cases(false)));
INSTANTIATE_TEST_SUITE_P(TestOrder, MechY2k, ::testing::ValuesIn(order_cases(true)));
INSTANTIATE_TEST_SUITE_P(Magnitude, MechOld, ::testing::ValuesIn(magnitude_cases(false)));
INSTANTIATE_TEST_SUITE_P(Magnitude, MechY2k, ::testing::ValuesIn(magnitude_cases(true)));
INSTANTIATE_TEST_SUITE_P(ShortRecords, MechOld, ::testing::ValuesIn(short_record_cases(false)));
INSTANTIATE_TEST_SUITE_P(ShortRecords, MechY2k, ::testing::ValuesIn(short_record_cases(true)));
INSTANTIATE_TEST_SUITE_P(Ignored, MechOld, ::testing::ValuesIn(ignored_option_cases(false)));
INSTANTIATE_TEST_SUITE_P(Ignored, MechY2k, ::testing::ValuesIn(ignored_option_cases(true)));
INSTANTIATE_TEST_SUITE_P(Dateline, MechOld, ::testing::ValuesIn(dateline_cases(false)));
INSTANTIATE_TEST_SUITE_P(Dateline, MechY2k, ::testing::ValuesIn(dateline_cases(true)));

// The century: the old layout adds 1900 to its two digits, the Y2K layout
// takes its four digits as they stand.
INSTANTIATE_TEST_SUITE_P(Years, MechOld, ::testing::Values(
    mech_case("00_is_1900", {"-time", "19000101000000", "19001231000000"},
              mech(false, {{1, "00"}, {3, "0704"}, {8, "1200"}, {21, " "}}),
              mech(false, {{1, "00"}, {3, "0704"}, {8, "1200"}, {21, " "}})),
    mech_case("99_is_1999", {"-time", "19990101000000", "19991231000000"},
              mech(false, {{1, "99"}, {3, "0704"}, {8, "1200"}, {21, " "}}),
              mech(false, {{1, "99"}, {3, "0704"}, {8, "1200"}, {21, " "}}))));
INSTANTIATE_TEST_SUITE_P(Years, MechY2k, ::testing::Values(
    mech_case("0099_is_99", {"-time", "00990101000000", "00991231000000"},
              mech(true, {{1, "0099"}, {3, "0704"}, {8, "1200"}, {21, " "}}),
              mech(true, {{1, "0099"}, {3, "0704"}, {8, "1200"}, {21, " "}})),
    mech_case("2003", {"-time", "20030101000000", "20031231000000"},
              mech(true, {{1, "2003"}, {3, "0704"}, {8, "1200"}, {21, " "}}),
              mech(true, {{1, "2003"}, {3, "0704"}, {8, "1200"}, {21, " "}}))));

// Records of at most 149 characters: a longer line read by the reader is
// cut into pieces, each a record of its own.  The first line, read by the
// layout detector with its own larger limit, stays whole.
class MechLongLines : public ::testing::TestWithParam<bool> {};

TEST_P(MechLongLines, LineReadByTheReaderIsCut) {
  bool y2k = GetParam();
  std::string first = mech(y2k, kDense);
  // 200 characters: a dense record padded to 149, then the first 51
  // characters of a record 5 km deep.
  std::string head = mech(y2k, kDense, false);
  head.resize(149, ' ');
  std::string tail = mech(y2k, {{1, "98"}, {3, "0101"}, {8, "0000"}, {37, "   5.00"}}, false);
  tail.resize(51, ' ');
  ASSERT_EQ((head + tail).size(), 200u);
  check_case({"pieces", {"-format", "mech", "-verbose"}, {}, first + head + tail + "\n",
              first + head + tail + "\n", "processing stdin ...\n3 buf_lines, 3 selected\n", 0});
  check_case({"tail_alone", {"-format", "mech", "-verbose", "-depth", "4", "6"}, {},
              first + head + tail + "\n", tail + "\n",
              "processing stdin ...\n3 buf_lines, 1 selected\n", 0});
}

TEST_P(MechLongLines, FirstLineFromTheDetectorIsOneRecord) {
  bool y2k = GetParam();
  std::string line = mech(y2k, kDense, false);
  line.resize(179, ' ');
  line += "X\n";
  // The same 180 characters as a later line are two records, and the
  // second piece has no depth.
  check_case({"long_first_line", {"-format", "mech", "-verbose", "-depth", "1000", "1100"}, {},
              line + line, line + line.substr(0, 149),
              "processing stdin ...\n3 buf_lines, 2 selected\n", 0});
}

INSTANTIATE_TEST_SUITE_P(Layouts, MechLongLines, ::testing::Bool());

// Two inputs: the second starts from the origin time of the last record of
// the first, and each is summed up after its announcement.
class MechInputs : public ::testing::TestWithParam<bool> {};

TEST_P(MechInputs, TimeCarriesOverAndEachInputIsSummed) {
  bool y2k = GetParam();
  auto at_time = [&](const char* day, const char* hhmm) {
    return mech(y2k, {{1, "96"}, {3, day}, {8, hhmm}, {12, " 30.00"}, {18, " 36"}, {37, "   5.00"}});
  };
  std::string a1 = at_time("0101", "0000"), a2 = at_time("0301", "1200");
  std::string earlier = at_time("0201", "0000"), same = a2, later = at_time("0401", "0000");
  TempDir dir;
  std::string a = dir.write("a.cat", a1 + a2);
  std::string b = dir.write("b.cat", earlier + same + later);
  std::vector<std::string> time = {"-format", "mech", "-verbose", "-time", "19900101000000",
                                   "20100101000000"};

  std::vector<std::string> args = time;
  args.insert(args.end(), {a, b});
  RunResult r = run_catsieve(args);
  EXPECT_EQ(r.out, a1 + a2 + same + later);
  EXPECT_EQ(r.err, "processing " + a + " ... 2 buf_lines, 2 selected\nprocessing " + b +
                       " ... 3 buf_lines, 2 selected\n");
  EXPECT_EQ(r.status, 0);

  args = time;
  args.insert(args.end(), {"-negate", a, b});
  r = run_catsieve(args);
  EXPECT_EQ(r.out, earlier);
  EXPECT_EQ(r.status, 0);
}

INSTANTIATE_TEST_SUITE_P(Layouts, MechInputs, ::testing::Bool());

}  // namespace
