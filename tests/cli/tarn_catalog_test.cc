// The tarn catalog readers, both layouts: every field at its columns, the
// tests in order, event types, magnitudes and the record cycle.
#include <string>
#include <vector>

#include "gtest/gtest.h"
#include "support/cli_harness.h"

namespace {

using Fields = std::vector<std::pair<int, std::string>>;

std::string build(size_t width, const Fields& base, const Fields& changes) {
  std::string r(width, ' ');
  for (const Fields* fs : {&base, &changes})
    for (const auto& f : *fs) r.replace(static_cast<size_t>(f.first - 1), f.second.size(), f.second);
  return r + "\n";
}

// Old layout, every field filled and every gap between fields filled with
// digits, so that a field read one column too wide or too far picks them up.
// 1995-01-01 12:30:15.25, 37S45.12, 122W30.36, depth 123.45 km, amplitude
// magnitude 2.7, 123 stations, gap 187, closest 45 km, rms 0.12 s, coda
// magnitude 3.1, type E, errors 1.50 and 2.75 km, W 3.45, L 2.89, preferred
// D 3.12.
const Fields kOld = {
    {1, "9501011230"}, {11, "1525"}, {15, "37S4512"}, {22, "122 3036"}, {30, "12345"},
    {35, "27"}, {37, "123187045"}, {46, "0012"}, {50, "987654321098765432"}, {68, "31"},
    {70, "1234567"}, {77, "E"}, {78, "999"}, {81, "01500275"}, {89, "98765432109876543210987654"},
    {115, "W345"}, {119, "999"}, {122, "L289"}, {126, "9876543210987"}, {139, "D312"}};

// The same event in the Y2K layout (magnitudes with two decimals: amplitude
// 2.70, coda 3.10).
const Fields kY2k = {
    {1, "199501011230"}, {13, "1525"}, {17, "37S4512"}, {24, "122 3036"}, {32, "12345"},
    {37, "270"}, {40, "123187045"}, {49, "0012"}, {53, "987654321098765432"}, {71, "310"},
    {74, "1234567"}, {81, "E"}, {82, "9999"}, {86, "01500275"}, {94, "98765432109876543210987654321"},
    {123, "W345"}, {127, "999"}, {130, "L289"}, {134, "9876543210987"}, {147, "D312"}};

std::string old_rec(const Fields& changes = {}) { return build(142, kOld, changes); }
std::string y2k_rec(const Fields& changes = {}) { return build(150, kY2k, changes); }

struct FieldCase {
  std::string name;
  std::vector<std::string> pass;  // options that select the record
  std::vector<std::string> fail;  // options that reject it
};

// Each field is checked with bounds equal to its value (both bounds are
// inclusive) or just around it, and with bounds that exclude it.
const std::vector<FieldCase> kFieldCases = {
    {"time", {"-time", "19950101123015.25", "19950101123015.25"},
     {"-time", "19950101123015.26", "19950101123100"}},
    {"latitude_south", {"-latitude", "-37.7521", "-37.7519"}, {"-latitude", "37.7519", "37.7521"}},
    {"longitude_west", {"-longitude", "-122.5061", "-122.5059"}, {"-longitude", "122.5059", "122.5061"}},
    {"depth", {"-depth", "123.45", "123.45"}, {"-depth", "123.46", "200"}},
    {"preferred_magnitude", {"-magnitude", "3.12", "3.12"}, {"-magnitude", "3.13", "9"}},
    {"nstations", {"-nstations", "123", "123"}, {"-nstations", "124", "200"}},
    {"rms", {"-rms", "0.12", "0.12"}, {"-rms", "0", "0.11"}},
    {"gap", {"-gap", "187", "187"}, {"-gap", "188", "360"}},
    {"closest", {"-closest", "45", "45"}, {"-closest", "0", "44.9"}},
    {"felt", {"-etype", "a"}, {"-felt"}},
    {"horizontal_error", {"-errhoriz", "1.5", "1.5"}, {"-errhoriz", "1.51", "9"}},
    {"depth_error", {"-errdepth", "2.75", "2.75"}, {"-errdepth", "0", "2.74"}},
    {"mw", {"-mtype", "mw", "-magnitude", "3.45", "3.45"}, {"-mtype", "mw", "-magnitude", "3.46", "9"}},
    {"mlm_from_second_type_column", {"-mtype", "mlm", "-magnitude", "2.89", "2.89"},
     {"-mtype", "mml", "-magnitude", "2.9", "9"}},
    {"coda", {"-mtype", "coda", "-magnitude", "3.1", "3.1"}, {"-mtype", "md", "-magnitude", "3.11", "9"}},
    {"amplitude", {"-mtype", "amp", "-magnitude", "2.7", "2.7"}, {"-mtype", "mx", "-magnitude", "2.71", "9"}},
    {"avg_of_whole_numbers", {"-mtype", "avg", "-magnitude", "2", "2"}, {"-mtype", "avg", "-magnitude", "2.5", "9"}},
    {"ml_missing_is_zero", {"-mtype", "ml", "-magnitude", "0", "0"}, {"-mtype", "mlt", "-magnitude", "0.1", "9"}},
    {"polygon_inside", {"-polygon", "-38", "-122", "-38", "-123", "-37", "-123", "-37", "-122"},
     {"-polygon", "37", "-122", "37", "-123", "38", "-123", "38", "-122"}},
    {"delta_ring", {"-delta", "-37.752", "-122.506", "0", "1"}, {"-delta", "-37.752", "-122.506", "1", "50"}},
};

void check_fields(const std::string& layout, const std::string& rec) {
  for (const auto& c : kFieldCases) {
    RunResult pass = run_catsieve(c.pass, rec);
    EXPECT_EQ(pass.out, rec) << layout << " " << c.name << " should select";
    EXPECT_EQ(pass.err, "") << layout << " " << c.name;
    RunResult fail = run_catsieve(c.fail, rec);
    EXPECT_EQ(fail.out, "") << layout << " " << c.name << " should reject";
    EXPECT_EQ(fail.err, "") << layout << " " << c.name;
    std::vector<std::string> negated = c.fail;
    negated.insert(negated.begin(), "-negate");
    EXPECT_EQ(run_catsieve(negated, rec).out, rec) << layout << " " << c.name << " negated";
  }
}

TEST(TarnCatalog, OldLayoutFields) { check_fields("old", old_rec()); }
TEST(TarnCatalog, Y2kLayoutFields) { check_fields("y2k", y2k_rec()); }

class TarnCases : public ::testing::TestWithParam<CliCase> {};
TEST_P(TarnCases, Run) { check_case(GetParam()); }

CliCase selects(const std::string& name, std::vector<std::string> args, const std::string& rec) {
  return CliCase{name, std::move(args), {}, rec, rec, "", 0};
}
CliCase rejects(const std::string& name, std::vector<std::string> args, const std::string& rec) {
  return CliCase{name, std::move(args), {}, rec, "", "", 0};
}

// The hemisphere letters "E" and "W" are not hemisphere characters of the
// layout detector, so a first record that the detector accepts leads.
CliCase hemisphere(const std::string& name, std::vector<std::string> args, const std::string& leader,
                   const std::string& rec) {
  return CliCase{name, std::move(args), {}, leader + rec, rec, "", 0};
}
const std::string kOldLeader = old_rec({{77, "Q"}});
const std::string kY2kLeader = y2k_rec({{81, "Q"}});

INSTANTIATE_TEST_SUITE_P(Hemispheres, TarnCases, ::testing::Values(
    hemisphere("north_blank", {"-latitude", "37.7519", "37.7521"}, kOldLeader, old_rec({{17, " "}})),
    hemisphere("north_n", {"-latitude", "37.7519", "37.7521"}, kOldLeader, old_rec({{17, "N"}})),
    hemisphere("lower_s_is_north", {"-latitude", "37.7519", "37.7521"}, kOldLeader, old_rec({{17, "s"}})),
    hemisphere("east", {"-longitude", "122.5059", "122.5061"}, kOldLeader, old_rec({{25, "E"}})),
    hemisphere("w_is_west", {"-longitude", "-122.5061", "-122.5059"}, kOldLeader, old_rec({{25, "W"}})),
    hemisphere("lower_e_is_west", {"-longitude", "-122.5061", "-122.5059"}, kOldLeader,
               old_rec({{25, "e"}})),
    hemisphere("sign_in_degrees_dropped", {"-latitude", "7.7519", "7.7521"}, kOldLeader,
               old_rec({{15, "-7"}, {17, "N"}, {14, "3"}})),
    hemisphere("y2k_lower_s_is_north", {"-latitude", "37.7519", "37.7521"}, kY2kLeader,
               y2k_rec({{19, "s"}})),
    hemisphere("y2k_east", {"-longitude", "122.5059", "122.5061"}, kY2kLeader, y2k_rec({{27, "E"}}))));

// The event type column: blank, "-", "*" and "M" count as E; lower case is
// folded; F is felt and also accepted where E is.
INSTANTIATE_TEST_SUITE_P(EventTypes, TarnCases, ::testing::Values(
    selects("blank", {}, old_rec({{77, " "}})), selects("dash", {}, old_rec({{77, "-"}})),
    selects("star", {}, old_rec({{77, "*"}})), selects("m", {}, old_rec({{77, "M"}})),
    selects("lower_m", {}, old_rec({{77, "m"}})), selects("l", {}, old_rec({{77, "L"}})),
    selects("t", {}, old_rec({{77, "T"}})), selects("f", {}, old_rec({{77, "F"}})),
    rejects("q", {}, old_rec({{77, "Q"}})), rejects("r", {}, old_rec({{77, "R"}})),
    rejects("n", {}, old_rec({{77, "N"}})), rejects("b", {}, old_rec({{77, "B"}})),
    rejects("x", {}, old_rec({{77, "X"}})),
    selects("etype_f_takes_lower_f", {"-etype", "F"}, old_rec({{77, "f"}})),
    rejects("etype_f_rejects_e", {"-etype", "f"}, old_rec({{77, "E"}})),
    selects("etype_b_takes_n", {"-etype", "b"}, old_rec({{77, "n"}})),
    rejects("etype_q_rejects_r", {"-etype", "Q"}, old_rec({{77, "R"}})),
    selects("etype_a_takes_anything", {"-etype", "qA"}, old_rec({{77, "X"}})),
    rejects("empty_etype_takes_nothing", {"-etype", ""}, old_rec({{77, "E"}})),
    selects("repeated_letters", {"-etype", "EEEEEEEEEEEEEEEEEEEEEEEEEEEEEEEEEEEEEEEEEEEEEEEEEEEEEEEEE"},
            old_rec({{77, "T"}})),
    selects("felt_upper_only", {"-felt"}, old_rec({{77, "F"}})),
    rejects("felt_not_lower", {"-felt", "-etype", "a"}, old_rec({{77, "f"}})),
    selects("y2k_reads_column_81", {}, y2k_rec({{77, "Q"}, {81, "T"}})),
    rejects("y2k_ignores_column_77", {}, y2k_rec({{77, "E"}, {81, "Q"}}))));

INSTANTIATE_TEST_SUITE_P(Magnitudes, TarnCases, ::testing::Values(
    // The first listed type that the record has wins; the rest are not read.
    selects("pref_first_in_default_list", {"-magnitude", "3.12", "3.12"}, old_rec()),
    selects("default_falls_to_mw", {"-magnitude", "3.45", "3.45"}, old_rec({{139, " "}})),
    selects("default_falls_to_md", {"-magnitude", "3.1", "3.1"},
            old_rec({{139, " "}, {115, " "}, {122, " "}})),
    selects("pref_blank_type_column", {"-mtype", "pref,md", "-magnitude", "3.1", "3.1"},
            y2k_rec({{147, " "}})),
    selects("zero_coda_falls_through", {"-mtype", "mx,md", "-magnitude", "3.1", "3.1"},
            old_rec({{35, "00"}})),
    selects("y2k_coda_two_decimals", {"-mtype", "md", "-magnitude", "2.53", "2.53"},
            y2k_rec({{71, "253"}})),
    selects("avg_truncates_each", {"-mtype", "avg", "-magnitude", "2", "2"},
            old_rec({{68, "27"}, {35, "34"}})),
    selects("avg_amplitude_below_one_uses_coda", {"-mtype", "avg", "-magnitude", "2", "2"},
            old_rec({{68, "27"}, {35, "05"}})),
    selects("y2k_avg", {"-mtype", "avg", "-magnitude", "2", "2"}, y2k_rec({{71, "253"}, {37, "310"}})),
    selects("missing_passes_with_no_mag", {"-mtype", "md", "-magnitude", "1", "9", "-no_mag"},
            old_rec({{68, "  "}})),
    rejects("missing_fails_without_no_mag", {"-mtype", "md", "-magnitude", "1", "9"},
            old_rec({{68, "  "}})),
    rejects("no_mag_does_not_pass_a_real_magnitude", {"-mtype", "md", "-magnitude", "3.5", "5", "-no_mag"},
            old_rec({{68, "20"}})),
    rejects("no_mag_alone_has_no_effect", {"-no_mag", "-etype", "q"}, old_rec()),
    selects("type_after_available_one_never_checked", {"-mtype", "md,mln", "-magnitude", "0", "9"},
            old_rec())));

INSTANTIATE_TEST_SUITE_P(Failures, TarnCases, ::testing::Values(
    CliCase{"unavailable_type", {"-mtype", "mln", "-magnitude", "0", "9"}, {}, old_rec(), "",
            "Specified magnitude not available for tarn catalog\n", 1},
    // Records that fail an earlier test never reach the magnitude walk;
    // what was written before the failure stays written.
    CliCase{"only_when_earlier_tests_pass",
            {"-negate", "-depth", "0", "100", "-mtype", "md,bm", "-magnitude", "0", "9"}, {},
            old_rec() + old_rec({{68, "  "}, {30, "01000"}}) + old_rec({{68, "00"}}), old_rec(),
            "Specified magnitude not available for tarn catalog\n", 1},
    CliCase{"never_without_magnitude_test", {"-mtype", "mlb"}, {}, old_rec(), old_rec(), "", 0}));

// Records are cut as a line buffer of 200 bytes cuts them; short records
// read blanks past their end, never a leftover of a longer record.
INSTANTIATE_TEST_SUITE_P(RecordCycle, TarnCases, ::testing::Values(
    CliCase{"long_line_is_two_records", {"-verbose"}, {}, old_rec() + std::string(250, '7') + "\n",
            old_rec() + std::string(250, '7').substr(199) + "\n",
            "processing stdin ...\n3 lines, 2 selected\n", 0},
    CliCase{"line_of_199_is_one_record", {"-verbose", "-etype", "a"}, {},
            old_rec() + std::string(198, '7') + "\n", old_rec() + std::string(198, '7') + "\n",
            "processing stdin ...\n2 lines, 2 selected\n", 0},
    CliCase{"line_of_200_leaves_newline_alone", {"-verbose", "-etype", "a"}, {},
            old_rec() + std::string(199, '7') + "\n", old_rec() + std::string(199, '7') + "\n",
            "processing stdin ...\n3 lines, 3 selected\n", 0},
    CliCase{"short_record_reads_blanks", {"-depth", "0", "0", "-errhoriz", "0", "0"}, {},
            old_rec() + "9501011230152537 4512122 3036\n", "9501011230152537 4512122 3036\n", "", 0},
    CliCase{"newline_is_a_column", {}, {}, old_rec({{77, " "}}).substr(0, 76) + "\n", "", "", 0},
    CliCase{"last_line_without_newline", {}, {}, old_rec() + old_rec().substr(0, 100),
            old_rec() + old_rec().substr(0, 100), "", 0},
    CliCase{"nul_byte_written_as_read", {"-depth", "123", "124"}, {},
            old_rec({{60, std::string(1, '\0')}}), old_rec({{60, std::string(1, '\0')}}), "", 0},
    CliCase{"nul_ends_a_number", {"-depth", "1.23", "1.23"}, {}, old_rec({{33, std::string(1, '\0')}}),
            old_rec({{33, std::string(1, '\0')}}), "", 0},
    CliCase{"two_digit_year_00_is_1900", {"-time", "19000101000000", "19001231000000"}, {},
            old_rec({{1, "00"}}), old_rec({{1, "00"}}), "", 0},
    CliCase{"negate_default", {"-negate"}, {}, old_rec() + old_rec({{77, "Q"}}), old_rec({{77, "Q"}}),
            "", 0},
    CliCase{"verbose_counts", {"-verbose", "-negate"}, {}, old_rec() + old_rec({{77, "Q"}}) + old_rec(),
            old_rec({{77, "Q"}}), "processing stdin ...\n3 lines, 1 selected\n", 0}));

// Across the date line: a -delta box that runs past 180 degrees also takes
// events given on the other side.
INSTANTIATE_TEST_SUITE_P(DateLine, TarnCases, ::testing::Values(
    selects("west_of_date_line", {"-delta", "0", "179.5", "0", "200"},
            old_rec({{15, "00 0000179 4800"}})),
    rejects("too_far", {"-delta", "0", "179.5", "0", "200"}, old_rec({{15, "00 0000178 0000"}})),
    rejects("polygon_makes_no_wrap", {"-polygon", "-1", "170", "1", "170", "1", "190", "-1", "190"},
            old_rec({{15, "00 0000175 0000"}}))));

TEST(TarnCatalog, TimeCarriesOverToTheNextInput) {
  // The second input starts from the origin time of the first input's last
  // record, whatever the -time bounds say.
  std::string june = old_rec({{1, "950601"}});
  std::string march = old_rec({{1, "950301"}});
  std::string july = old_rec({{1, "950701"}});
  CliCase c{"carry_over", {"-time", "19950101000000", "19951231000000", "@a", "@b"},
            {{"a", june}, {"b", march + july}}, "", june + july, "", 0};
  check_case(c);
  c.args.insert(c.args.begin(), "-negate");
  c.out = march;
  check_case(c);
}

}  // namespace
