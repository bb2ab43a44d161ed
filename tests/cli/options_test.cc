// The command line: option lookup, help texts, argument checks and the
// exact messages and exit statuses of every way the options can fail.
#include <string>

#include "gtest/gtest.h"
#include "support/cli_harness.h"

namespace {

const char kHeader[] = "Option       Args            Remarks...\n\n";

const char kRows[] =
    "-help        [opt...]        Print documentation\n"
    "-negate                      Print events that FAIL test\n"
    "-time        min max         Origin-time interval (yyyymmddhhmmss[+-offset])\n"
    "-latitude    min max         Latitude range (d[:m[:s]])\n"
    "-longitude   min max         Longitude range (d[:m[:s]]) N.B. West is negative!\n"
    "-depth       min max         Depth range (km)\n"
    "-mtype       type,...        Magnitude type[s], in preferred order: (pref, md, mx, avg, ml, "
    "mln, mlm, mlb, mw)\n"
    "-magnitude   min max         Magnitude range\n"
    "-closest     min max         Range of closest station (km)\n"
    "-nstations   min max         Range of no. of stations\n"
    "-rms         min max         Range of r.m.s. residual (s)\n"
    "-gap         min max         Range of azimuthal gap (deg)\n"
    "-delta       lat lon min max Epicentral distance (km)\n"
    "-polygon     lat lon...      Polygon (give 3 or more vertices)\n"
    "-catalog                     Search catalog - uses LODECATDIR, LODEMECHDIR, ORVCATDIR, "
    "BRIMCATDIR, FULLBRIMCATDIR, or KELPCATDIR variable\n"
    "-verbose                     Verbose output during search\n"
    "-format      type            Specify input data format: (tarn, orv, mech, brim, or kelp)\n"
    "-quality     letters         Quality codes (e.g. abc)   [orv only]\n"
    "-etype       letters         Event types (eg eqnrfa) [tarn, brim only]\n"
    "-nmag        min max         Range of number of observations for magnitude   [orv only]\n"
    "-m0          min max         Range of scalar moment   [orv only]\n"
    "-nm0         min max         Range of number of observations for scalar moment   [orv "
    "only]\n"
    "-errtime     min max         Range of error in origin time (sec)   [orv only]\n"
    "-errlat      min max         Range of error in latitude (km)   [orv only]\n"
    "-errlon      min max         Range of error in longitude (km)   [orv only]\n"
    "-errhoriz    min max         Range of error in horizontal location (km)   [tarn, mech, "
    "brim only]\n"
    "-errdepth    min max         Range of error in focal depth (km)\n"
    "-felt                        Select felt events   [orv brim tarn only]\n"
    "-no_mag                      Include events which have no reported magnitude [brim]\n";

const char kAllNames[] =
    " -help -negate -time -latitude -longitude -depth -mtype -magnitude -closest -nstations -rms"
    " -gap -delta -polygon -catalog -verbose -format -quality -etype -nmag -m0 -nm0     -errtime"
    " -errlat -errlon -errhoriz -errdepth -felt -no_mag";

std::string err(const std::string& message) { return "catsieve: " + message + "\n"; }

// An old-layout tarn record at 1995-01-01 12:30, event type E.
const std::string kEvent = record(142, {{1, "9501011230"}, {15, "37 3000122 3000"}, {77, "E"}});

class Options : public ::testing::TestWithParam<CliCase> {};
TEST_P(Options, Run) { check_case(GetParam()); }

INSTANTIATE_TEST_SUITE_P(Help, Options, ::testing::Values(
    CliCase{"alone", {"-help"}, {}, "", "",
            std::string("Usage:  catsieve [options] [file...]\n") + kHeader + kRows, 1},
    CliCase{"by_prefix", {"-h"}, {}, "", "",
            std::string("Usage:  catsieve [options] [file...]\n") + kHeader + kRows, 1},
    CliCase{"named_rows", {"-help", "-lat", "-nm0", "-no"}, {}, "", "",
            std::string(kHeader) +
                "-latitude    min max         Latitude range (d[:m[:s]])\n"
                "-nm0         min max         Range of number of observations for scalar moment"
                "   [orv only]\n"
                "-no_mag                      Include events which have no reported magnitude"
                " [brim]\n",
            1},
    CliCase{"stops_at_ambiguous_row", {"-help", "-lat", "-d"}, {}, "", "",
            std::string(kHeader) + "-latitude    min max         Latitude range (d[:m[:s]])\n" +
                "catsieve: option \"-d\" is ambiguous: cf.  -depth -delta\n",
            1},
    CliCase{"unknown_row", {"-help", "-x"}, {}, "", "",
            std::string(kHeader) + err("Option \"-x\" not known"), 1},
    CliCase{"after_another_option", {"-verbose", "-help"}, {}, "", "", kHeader, 1},
    CliCase{"file_names_are_looked_up_too", {"-help", "cat.dat"}, {}, "", "",
            std::string(kHeader) + err("Option \"cat.dat\" not known"), 1}));

INSTANTIATE_TEST_SUITE_P(Lookup, Options, ::testing::Values(
    CliCase{"not_known", {"-x"}, {}, "", "", err("Option \"-x\" not known"), 1},
    CliCase{"case_sensitive", {"-TIME", "1", "2"}, {}, "", "", err("Option \"-TIME\" not known"), 1},
    CliCase{"longer_than_name", {"-felty"}, {}, "", "", err("Option \"-felty\" not known"), 1},
    CliCase{"ambiguous_m", {"-m"}, {}, "", "",
            "catsieve: option \"-m\" is ambiguous: cf.  -mtype -magnitude -m0\n", 1},
    CliCase{"ambiguous_nm_shows_padded_name", {"-nm", "1", "2"}, {}, "", "",
            "catsieve: option \"-nm\" is ambiguous: cf.  -nmag -nm0    \n", 1},
    CliCase{"ambiguous_err", {"-err"}, {}, "", "",
            "catsieve: option \"-err\" is ambiguous: cf.  -errtime -errlat -errlon -errhoriz"
            " -errdepth\n",
            1},
    CliCase{"lone_minus_lists_all", {"-"}, {}, "", "",
            std::string("catsieve: option \"-\" is ambiguous: cf. ") + kAllNames + "\n", 1},
    CliCase{"whole_name_wins", {"-nm0", "1", "2", "-format", "orv"}, {}, "", "", "", 0},
    CliCase{"unique_prefixes", {"-t", "19950101000000", "19950102000000", "-mag", "0", "9",
                                "-no", "-ne"},
            {}, "", "", "", 0},
    CliCase{"minus_word_after_file_is_a_file", {"@cat", "-x"}, {{"cat", kEvent}}, "", kEvent,
            "Unable to open file -x\n", 1},
    CliCase{"negative_argument_is_not_an_option", {"-latitude", "-40", "40", "@cat"},
            {{"cat", kEvent}}, "", kEvent, "", 0}));

INSTANTIATE_TEST_SUITE_P(Arguments, Options, ::testing::Values(
    CliCase{"too_few", {"-format"}, {}, "", "", err("Too few args"), 1},
    CliCase{"too_few_angle", {"-latitude", "10"}, {}, "", "", err("Too few args"), 1},
    CliCase{"numeric_missing_at_end", {"-depth", "1"}, {}, "", "", err("Numeric arg needed"), 1},
    CliCase{"numeric_with_unit", {"-depth", "5km", "10"}, {}, "", "", err("Numeric arg needed"), 1},
    CliCase{"numeric_hex", {"-depth", "0x10", "20"}, {}, "", "", err("Numeric arg needed"), 1},
    CliCase{"numeric_charset_only", {"-depth", "+-e", "1e3", "-gap", "-.5", "1"}, {}, "", "", "", 0},
    CliCase{"equal_bounds", {"-depth", "10", "10"}, {}, "", "", "", 0}));

// Each range option reports its own name when the minimum exceeds the
// maximum.
INSTANTIATE_TEST_SUITE_P(RangeChecks, Options, ::testing::Values(
    CliCase{"time", {"-time", "19960101000000", "19950101000000"}, {}, "", "",
            err("minimum time value greater than maximum"), 1},
    CliCase{"latitude", {"-latitude", "10", "-10:30"}, {}, "", "",
            err("minimum latitude value greater than maximum"), 1},
    CliCase{"longitude", {"-longitude", "10", "9"}, {}, "", "",
            err("minimum longitude value greater than maximum"), 1},
    CliCase{"depth", {"-depth", "10", "5"}, {}, "", "", err("minimum depth value greater than maximum"), 1},
    CliCase{"magnitude", {"-magnitude", "5", "4"}, {}, "", "",
            err("minimum magnitude value greater than maximum"), 1},
    CliCase{"closest", {"-closest", "5", "4"}, {}, "", "", err("minimum close value greater than maximum"), 1},
    CliCase{"nstations", {"-nstations", "6", "5.9"}, {}, "", "",
            err("minimum nstations value greater than maximum"), 1},
    CliCase{"nstations_truncated_equal", {"-nstations", "5.2", "5.9"}, {}, "", "", "", 0},
    CliCase{"rms", {"-rms", "1", "0"}, {}, "", "", err("minimum rms value greater than maximum"), 1},
    CliCase{"gap", {"-gap", "1", "0"}, {}, "", "", err("minimum gap value greater than maximum"), 1},
    CliCase{"nmag", {"-nmag", "3", "2"}, {}, "", "", err("minimum nobs for mag value greater than maximum"), 1},
    CliCase{"m0", {"-m0", "3", "2"}, {}, "", "", err("minimum M0 value greater than maximum"), 1},
    CliCase{"nm0", {"-nm0", "3", "2"}, {}, "", "", err("minimum nobs for M0 value greater than maximum"), 1},
    CliCase{"errtime", {"-errtime", "3", "2"}, {}, "", "", err("minimum o-time error value greater than maximum"), 1},
    CliCase{"errlat", {"-errlat", "3", "2"}, {}, "", "", err("minimum lat error value greater than maximum"), 1},
    CliCase{"errlon", {"-errlon", "3", "2"}, {}, "", "", err("minimum lon error value greater than maximum"), 1},
    CliCase{"errhoriz", {"-errhoriz", "3", "2"}, {}, "", "",
            err("minimum horizontal error value greater than maximum"), 1},
    CliCase{"errdepth", {"-errdepth", "3", "2"}, {}, "", "", err("minimum depth error value greater than maximum"), 1}));

INSTANTIATE_TEST_SUITE_P(DateWords, Options, ::testing::Values(
    CliCase{"thirteen_digits", {"-time", "1995010100000", "19960101000000"}, {}, "", "",
            err("Bad date format: \"1995010100000\""), 1},
    CliCase{"fifteen_digits", {"-time", "199501010000000", "19960101000000"}, {}, "", "",
            err("Bad date format: \"199501010000000\""), 1},
    CliCase{"leading_sign", {"-time", "+19950101000000", "19960101000000"}, {}, "", "",
            err("Bad date format: \"+19950101000000\""), 1},
    CliCase{"second_word_checked_after_first", {"-time", "19950101000000", "1996"}, {}, "", "",
            err("Bad date format: \"1996\""), 1},
    CliCase{"illegal_sign", {"-time", "19950101000000x", "19960101000000"}, {}, "", "",
            err("Illegal sign character \"x\""), 1},
    CliCase{"point_after_fraction", {"-time", "19950101000000.5.5", "19960101000000"}, {}, "", "",
            err("Illegal sign character \".\""), 1},
    CliCase{"exponent_is_not_a_unit", {"-time", "19950101000000+1e2h", "19960101000000"}, {}, "",
            "", err("Bad time offset unit \"e\""), 1},
    CliCase{"missing_unit_is_nul", {"-time", "19950101000000+10", "19960101000000"}, {}, "", "",
            err(std::string("Bad time offset unit \"\0\"", 24)), 1},
    CliCase{"bare_sign_and_trailing_text", {"-time", "19950101000000+", "19960101000000+1d-2h"},
            {}, "", "", "", 0}));

INSTANTIATE_TEST_SUITE_P(Geometry, Options, ::testing::Values(
    CliCase{"delta_min_above_max_first", {"-delta", "38", "-122", "50", "10"}, {}, "", "",
            err("minimum delta value greater than maximum"), 1},
    CliCase{"delta_beyond_half_circumference", {"-delta", "38", "-122", "0", "30000"}, {}, "", "",
            err("max delta 30000.000000 value greater 1/2 earth circumference"), 1},
    CliCase{"delta_negative_min", {"-delta", "38", "-122", "-5", "10"}, {}, "", "",
            err("min delta -5.000000 value < 0 "), 1},
    CliCase{"delta_zero", {"-delta", "38", "-122", "0", "0"}, {}, "", "",
            err("max delta 0.000000 value <= 0 "), 1},
    CliCase{"delta_half_circumference_accepted", {"-delta", "38", "-122", "0", "20015"}, {}, "",
            "", "", 0},
    CliCase{"polygon_two_vertices", {"-polygon", "0", "0", "1", "1", "-depth", "0", "1"}, {}, "",
            "", err("Polygon needs at least three vertices"), 1},
    CliCase{"polygon_vertex_without_longitude", {"-polygon", "0", "0", "1", "1", "2"}, {}, "", "",
            err("Too few args"), 1}));

INSTANTIATE_TEST_SUITE_P(FormatsAndTypes, Options, ::testing::Values(
    CliCase{"invalid_format", {"-format", "me"}, {}, "", "", "error - invalid format\n", 1},
    CliCase{"second_format", {"-format", "tarn", "-format", "orv"}, {}, "", "",
            "error - only 1 format allowed\n", 1},
    CliCase{"second_format_even_if_invalid", {"-format", "orv", "-format", "xyz"}, {}, "", "",
            "error - only 1 format allowed\n", 1},
    CliCase{"format_keyword_any_case", {"-format", "MECH"}, {}, "", "", "", 0},
    CliCase{"invalid_magtype", {"-mtype", "md,foo"}, {}, "", "", "invalid magtype: foo\n", 1},
    CliCase{"empty_magtype", {"-mtype", "md,,mx"}, {}, "", "", "invalid magtype: \n", 1},
    CliCase{"trailing_comma", {"-mtype", "MD,Amp,"}, {}, "", "", "", 0},
    CliCase{"sixteenth_type_not_looked_up",
            {"-mtype", "ml,ml,ml,ml,ml,ml,ml,ml,ml,ml,ml,ml,ml,ml,ml,bogus"}, {}, "", "", "", 0}));

}  // namespace
