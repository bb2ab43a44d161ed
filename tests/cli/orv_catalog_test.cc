// Command-line tests of the orv catalog reader.
#include <string>
#include <utility>
#include <vector>

#include "gtest/gtest.h"
#include "support/cli_harness.h"
#include "support/temp_dir.h"

namespace {

using Fields = std::vector<std::pair<int, std::string>>;

const char kNotAvailable[] = "Specified magnitude not available for orv catalog\n";

std::string orv(const Fields& fields, bool newline = true) {
  std::string r;
  for (const auto& f : fields) {
    size_t from = static_cast<size_t>(f.first - 1);
    if (r.size() < from + f.second.size()) r.resize(from + f.second.size(), ' ');
    r.replace(from, f.second.size(), f.second);
  }
  if (newline) r += '\n';
  return r;
}

// Every field filled to its full width, and a digit in every column between
// fields and after the last one, so that reading one column too many or too
// few on either side changes the value.
const Fields kDense = {
    {1, "2003"},       {5, "0415"},     {9, "9"},         {10, "0711"},   {14, "14.7205"},
    {21, "9"},         {22, "-33.4512"}, {30, "9"},       {31, "-122.2575"}, {40, "9"},
    {41, "1234.125"},  {49, "9"},       {50, "4.25"},     {54, "9"},      {55, "123"},
    {58, "9"},         {59, "3.75"},    {63, "9"},        {64, "234"},    {67, "9"},
    {68, "5.25"},      {72, "9"},       {73, "345"},      {76, "9"},      {77, "6.25"},
    {81, "9"},         {82, "456"},     {85, "9"},        {86, "1.251e+17"}, {95, "9"},
    {96, "567"},       {99, "9"},       {100, "678"},     {103, "9"},     {104, "181"},
    {107, "9"},        {108, "1234.5"}, {114, "9"},       {115, "1.23456"}, {122, "9"},
    {123, "12.3456"},  {130, "9"},      {131, "23.4567"}, {138, "9"},     {139, "34.5678"},
    {146, "9"},        {147, "1.23457"}, {154, "9"},      {155, "B"},     {156, "9"},
    {157, "F"},        {158, "9"},
};
const std::string kA = orv(kDense);

CliCase orv_case(std::string name, std::vector<std::string> args, std::string input,
                 std::string out, std::string err = "", int status = 0) {
  args.insert(args.begin(), {"-format", "orv"});
  args.push_back("@in");
  return CliCase{std::move(name), std::move(args), {{"in", std::move(input)}}, "",
                 std::move(out), std::move(err), status};
}

// Each field read from exactly its columns: the dense record passes a range
// holding only its value, and the same record with that field blanked
// fails it.
struct FieldCase {
  const char* name;
  std::vector<std::string> args;
  int col, width;
};

const std::vector<std::string> kTime = {"-time", "20030415071114.72049", "20030415071114.72051"};

const FieldCase kFields[] = {
    {"year", kTime, 1, 4},
    {"month_day", kTime, 5, 4},
    {"hour_minute", kTime, 10, 4},
    {"seconds", kTime, 14, 7},
    {"latitude", {"-latitude", "-33.45121", "-33.45119"}, 22, 8},
    {"longitude", {"-longitude", "-122.25751", "-122.25749"}, 31, 9},
    {"depth", {"-depth", "1234.125", "1234.125"}, 41, 8},
    {"mlb", {"-mtype", "mlb", "-magnitude", "4.25", "4.25"}, 50, 4},
    {"mlb_obs", {"-mtype", "bm", "-magnitude", "0", "9", "-nmag", "123", "123"}, 55, 3},
    {"ml", {"-mtype", "ml", "-magnitude", "3.75", "3.75"}, 59, 4},
    {"ml_obs", {"-mtype", "mlt", "-magnitude", "0", "9", "-nmag", "234", "234"}, 64, 3},
    {"mln", {"-mtype", "mln", "-magnitude", "5.25", "5.25"}, 68, 4},
    {"mln_obs", {"-mtype", "mln", "-magnitude", "0", "9", "-nmag", "345", "345"}, 73, 3},
    {"mw", {"-mtype", "mw", "-magnitude", "6.25", "6.25"}, 77, 4},
    {"mw_obs", {"-mtype", "mw", "-magnitude", "0", "9", "-nmag", "456", "456"}, 82, 3},
    {"moment", {"-m0", "1.251e17", "1.251e17"}, 86, 9},
    {"moment_obs", {"-nm0", "567", "567"}, 96, 3},
    {"stations", {"-nstations", "678", "678"}, 100, 3},
    {"gap", {"-gap", "181", "181"}, 104, 3},
    {"closest", {"-closest", "1234.5", "1234.5"}, 108, 6},
    {"time_error", {"-errtime", "1.23456", "1.23456"}, 115, 7},
    {"lat_error", {"-errlat", "12.3456", "12.3456"}, 123, 7},
    {"lon_error", {"-errlon", "23.4567", "23.4567"}, 131, 7},
    {"depth_error", {"-errdepth", "34.5678", "34.5678"}, 139, 7},
    {"rms", {"-rms", "1.23457", "1.23457"}, 147, 7},
    {"quality", {"-quality", "b"}, 155, 1},
    {"felt", {"-felt"}, 157, 1},
};

std::vector<CliCase> field_cases() {
  std::vector<CliCase> cases;
  for (const FieldCase& f : kFields) {
    std::string blanked = kA;
    blanked.replace(static_cast<size_t>(f.col - 1), static_cast<size_t>(f.width),
                    static_cast<size_t>(f.width), ' ');
    cases.push_back(orv_case(f.name, f.args, kA + blanked, kA));
  }
  return cases;
}

class Orv : public ::testing::TestWithParam<CliCase> {};
TEST_P(Orv, Run) { check_case(GetParam()); }

INSTANTIATE_TEST_SUITE_P(Fields, Orv, ::testing::ValuesIn(field_cases()));

// The magnitude test comes after time, latitude, longitude and depth and
// before every other test: a type this catalog cannot supply ends the run
// only on a record that passed the earlier tests.
struct OrderCase {
  const char* name;
  std::vector<std::string> args;
  bool ends_run;
};

const OrderCase kOrder[] = {
    {"time_first", {"-time", "20040101000000", "20050101000000"}, false},
    {"latitude_first", {"-latitude", "0", "10"}, false},
    {"longitude_first", {"-longitude", "0", "10"}, false},
    {"depth_first", {"-depth", "0", "5"}, false},
    {"then_stations", {"-nstations", "0", "1"}, true},
    {"then_rms", {"-rms", "0", "0.5"}, true},
    {"then_gap", {"-gap", "0", "1"}, true},
    {"then_closest", {"-closest", "0", "1"}, true},
    {"then_quality", {"-quality", "z"}, true},
    {"then_nmag", {"-nmag", "999", "999"}, true},
    {"then_moment", {"-m0", "0", "1"}, true},
    {"then_moment_obs", {"-nm0", "0", "1"}, true},
    {"then_time_error", {"-errtime", "0", "0.5"}, true},
    {"then_lat_error", {"-errlat", "0", "1"}, true},
    {"then_lon_error", {"-errlon", "0", "1"}, true},
    {"then_depth_error", {"-errdepth", "0", "1"}, true},
    // The point lies in the polygon's box but outside the triangle, and in
    // the ring's box but nearer than its inner radius.
    {"then_polygon", {"-polygon", "-34", "-123", "-33", "-123", "-34", "-122"}, true},
    {"then_delta", {"-delta", "-33.4512", "-122.2575", "1", "50"}, true},
};

std::vector<CliCase> order_cases() {
  std::vector<CliCase> cases;
  for (const OrderCase& o : kOrder) {
    std::vector<std::string> args = o.args;
    args.insert(args.end(), {"-mtype", "md", "-magnitude", "0", "9"});
    cases.push_back(orv_case(o.name, args, kA, "", o.ends_run ? kNotAvailable : "",
                             o.ends_run ? 1 : 0));
  }
  return cases;
}

INSTANTIATE_TEST_SUITE_P(TestOrder, Orv, ::testing::ValuesIn(order_cases()));

// A record with no mw (but a count behind the blank), a zero mln and an ml
// of 3.2 from 12 observations; and one whose only magnitudes are a negative
// ml and a zero mlb, both with counts.
const std::string kP = orv({{1, "2004"}, {5, "0101"}, {10, "0000"}, {59, " 3.2"}, {64, " 12"},
                            {68, " 0.0"}, {73, " 40"}, {50, " 4.0"}, {55, " 50"}, {82, " 99"}});
const std::string kN = orv({{1, "2004"}, {5, "0102"}, {10, "0000"}, {59, "-1.0"}, {64, " 15"},
                            {50, " 0.0"}, {55, "  7"}});

INSTANTIATE_TEST_SUITE_P(Magnitude, Orv, ::testing::Values(
    // Default list mw, mln, ml, mlb: the first value above 0 wins, and nmag
    // is its count.
    orv_case("default_list", {"-magnitude", "3.2", "3.2", "-nmag", "12", "12"}, kP + kN, kP),
    orv_case("default_list_count", {"-magnitude", "0", "9", "-nmag", "13", "99"}, kP, ""),
    orv_case("list_order", {"-mtype", "mlb,ml", "-magnitude", "4", "4", "-nmag", "50", "50"}, kP,
             kP),
    orv_case("negative_is_no_magnitude", {"-magnitude", "0.5", "3"}, kN, ""),
    orv_case("no_mag", {"-magnitude", "0.5", "3", "-no_mag"}, kP + kN, kN),
    orv_case("no_magnitude_leaves_no_count", {"-magnitude", "0.5", "3", "-no_mag", "-nmag", "0", "0"},
             kP + kN, kN),
    orv_case("negate", {"-magnitude", "3", "9", "-negate"}, kP + kN, kN),
    // Without -magnitude the magnitude is never looked at and the count
    // stays 0 for every record.
    orv_case("nmag_without_magnitude", {"-nmag", "1", "99"}, kA + kP + kN, ""),
    orv_case("nmag_zero_without_magnitude", {"-nmag", "0", "0"}, kA + kP + kN, kA + kP + kN),
    orv_case("other_type_unused_without_magnitude", {"-mtype", "md"}, kP, kP),
    orv_case("other_type_ends_run", {"-mtype", "md", "-magnitude", "0", "9"}, kP, "",
             kNotAvailable, 1),
    // A later type is reached only when the earlier ones have no value;
    // records written before stay written.
    orv_case("mw_then_other_type", {"-mtype", "mw,md", "-magnitude", "0", "9"}, kA + kP, kA,
             kNotAvailable, 1)));

// The count is the one that the magnitude test of the same record left,
// whatever the record before it, in the same input or the one before, left.
TEST(OrvNmag, CountOfTheSameRecord) {
  std::vector<std::string> args = {"-format", "orv", "-magnitude", "0", "9", "-no_mag",
                                   "-nmag", "12", "12"};
  check_case({"after_record", args, {}, kP + kN + kP, kP + kP, "", 0});
  std::vector<std::string> zero = {"-format", "orv", "-magnitude", "0", "9", "-no_mag",
                                   "-nmag", "0", "0"};
  check_case({"after_record_zero", zero, {}, kN + kP + kN, kN + kN, "", 0});

  args.insert(args.end(), {"@a", "@b"});
  check_case({"after_input", args, {{"a", kP}, {"b", kN + kP}}, "", kP + kP, "", 0});
  zero.insert(zero.end(), {"@a", "@b"});
  check_case({"after_input_zero", zero, {{"a", kP}, {"b", kN}}, "", kN, "", 0});
}

std::string with_quality(const char* q) {
  return orv({{1, "2002"}, {5, "0101"}, {10, "0000"}, {155, q}});
}
const std::string kQa = with_quality("a"), kQA = with_quality("A"), kQb = with_quality("b");
const std::string kQB = with_quality("B"), kQc = with_quality("c"), kQblank = with_quality(" ");
const std::string kQall = kQa + kQA + kQb + kQB + kQc + kQblank;
const std::string kFelt = orv({{1, "2002"}, {157, "F"}});
const std::string kFeltLower = orv({{1, "2002"}, {157, "f"}});
const std::string kFeltBlank = orv({{1, "2002"}, {157, " "}});

INSTANTIATE_TEST_SUITE_P(Letters, Orv, ::testing::Values(
    orv_case("quality_folds_case", {"-quality", "ab"}, kQall, kQa + kQA + kQb + kQB),
    orv_case("quality_blank", {"-quality", " "}, kQall, kQblank),
    orv_case("felt_capital_only", {"-felt"}, kFelt + kFeltLower + kFeltBlank, kFelt),
    orv_case("felt_negate", {"-felt", "-negate"}, kFelt + kFeltLower + kFeltBlank,
             kFeltLower + kFeltBlank)));

// A record that ends early reads blanks past its end, never the columns of
// the longer record before it; a last line without a newline is written
// without one.
const std::string kShort = kA.substr(0, 60);

INSTANTIATE_TEST_SUITE_P(Misc, Orv, ::testing::Values(
    orv_case("no_options_writes_all", {}, kA + kP + kN, kA + kP + kN),
    orv_case("gap_is_an_integer", {"-gap", "1", "1"}, orv({{104, "1.9"}}), orv({{104, "1.9"}})),
    orv_case("gap_bounds_inclusive", {"-gap", "180", "180"}, orv({{104, "180"}}) + orv({{104, "181"}}),
             orv({{104, "180"}})),
    orv_case("errhoriz_and_etype_ignored", {"-errhoriz", "5", "6", "-etype", "q"}, kA, kA),
    orv_case("short_rms", {"-rms", "0", "0"}, kA + kShort, kShort),
    orv_case("short_moment_obs", {"-nm0", "0", "0"}, kA + kShort, kShort),
    orv_case("short_quality", {"-quality", " "}, kA + kShort, kShort),
    orv_case("short_felt", {"-felt"}, kA + kShort, kA)));

// Records of at most 199 characters: a longer line is cut into pieces, each
// a record of its own.
TEST(OrvLongLines, LineIsCut) {
  std::string head = orv(kDense, false);
  head.resize(199, ' ');
  std::string tail = orv({{1, "2001"}, {41, "   5.000"}}, false);
  tail.resize(51, ' ');
  std::string input = kA + head + tail + "\n";
  check_case({"pieces", {"-format", "orv", "-verbose"}, {}, input, input,
              "processing stdin ...\n3 lines, 3 selected\n", 0});
  check_case({"tail_alone", {"-format", "orv", "-verbose", "-depth", "4", "6"}, {}, input,
              tail + "\n", "processing stdin ...\n3 lines, 1 selected\n", 0});
}

// Two inputs: the second starts from the origin time of the last record of
// the first, and each is summed up after its announcement.
TEST(OrvInputs, TimeCarriesOverAndEachInputIsSummed) {
  auto at_time = [](const char* date, const char* seconds) {
    return orv({{1, date}, {10, "1200"}, {14, seconds}, {41, "   10.00"}});
  };
  std::string a1 = at_time("20030101", " 0.000"), a2 = at_time("20030301", "30.500");
  std::string earlier = at_time("20030301", "30.499"), same = a2;
  std::string later = at_time("20030401", " 0.000");
  TempDir dir;
  std::string a = dir.write("a.cat", a1 + a2);
  std::string b = dir.write("b.cat", earlier + same + later);
  std::vector<std::string> time = {"-format", "orv", "-verbose", "-time", "19900101000000",
                                   "20100101000000"};

  std::vector<std::string> args = time;
  args.insert(args.end(), {a, b});
  RunResult r = run_catsieve(args);
  EXPECT_EQ(r.out, a1 + a2 + same + later);
  EXPECT_EQ(r.err, "processing " + a + " ... 2 lines, 2 selected\nprocessing " + b +
                       " ... 3 lines, 2 selected\n");
  EXPECT_EQ(r.status, 0);

  args = time;
  args.insert(args.end(), {"-negate", a, b});
  r = run_catsieve(args);
  EXPECT_EQ(r.out, earlier);
  EXPECT_EQ(r.status, 0);
}

}  // namespace
