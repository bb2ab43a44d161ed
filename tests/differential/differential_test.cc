// Differential tests of the readers: for each catalog layout a few thousand
// generated and partly damaged records are filtered under a set of criteria
// twice, by the built program and by the reference build of the same
// readers (records read by fgets, fields converted by atoi and atof, every
// record written through stdio, no day kept from one record to the next),
// and the two must agree byte for byte on standard output, on standard
// error (the -verbose summaries and any message) and on the exit status.
// The bounds are round values inside the generated ranges, which many
// records carry exactly in fields with two decimals.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <ostream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "catsieve/args.h"
#include "differential/catalog_data.h"
#include "gtest/gtest.h"
#include "support/cli_harness.h"
#include "support/packers.h"
#include "support/temp_dir.h"

namespace diff {

void PrintTo(Format f, std::ostream* os) { *os << catgen_name(f); }

namespace {

constexpr int kLines = 3000;
constexpr int kFullBrimRecords = 700;
constexpr double kDamagedShare = 0.12;

// The catalog of a layout, generated and damaged once.
const std::string& catalog(Format f) {
  static std::map<Format, std::string> cache;
  auto it = cache.find(f);
  if (it != cache.end()) return it->second;
  unsigned seed = 1000 + static_cast<unsigned>(f);
  std::string text = damage(
      f, generate(f, f == Format::kFullBrim ? kFullBrimRecords : kLines, seed), seed, kDamagedShare);
  return cache.emplace(f, std::move(text)).first->second;
}

std::string join(const std::vector<std::string>& words) {
  std::string s;
  for (const std::string& w : words) s += (s.empty() ? "" : " ") + w;
  return s;
}

// The line of text that holds the byte at, shown with its control bytes.
std::string line_around(const std::string& text, size_t at) {
  if (at >= text.size()) return "(end of output)";
  size_t from = text.rfind('\n', at == 0 ? 0 : at - 1);
  from = from == std::string::npos || at == 0 ? 0 : from + 1;
  size_t to = text.find('\n', at);
  to = to == std::string::npos ? text.size() : to + 1;
  std::string shown;
  for (size_t i = from; i < to && shown.size() < 600; ++i) {
    unsigned char ch = static_cast<unsigned char>(text[i]);
    if (ch == '\\') shown += "\\\\";
    else if (ch >= 32 && ch < 127) shown += static_cast<char>(ch);
    else {
      char esc[8];
      std::snprintf(esc, sizeof esc, "\\x%02x", ch);
      shown += esc;
    }
  }
  return "byte " + std::to_string(at) + ", line \"" + shown + "\"";
}

// Runs both builds and compares; returns the reference's outcome.  The
// reference reads plain on standard input instead, when given.
RunResult compare(Format f, const std::vector<std::string>& criteria,
                  const std::vector<std::string>& files, const std::string& input = "",
                  const std::string* plain = nullptr) {
  std::vector<std::string> args = {"-verbose", "-format", format_word(f)};
  args.insert(args.end(), criteria.begin(), criteria.end());
  args.insert(args.end(), files.begin(), files.end());
  RunSetup setup;
  setup.input = input;
  RunResult got = run_catsieve(args, setup);
  setup.program = REFERENCE_BIN;
  if (plain) setup.input = *plain;
  RunResult want = run_catsieve(args, setup);
  std::string what = std::string(catgen_name(f)) + ": catsieve " + join(args);
  if (got.out != want.out) {
    size_t at = 0;
    while (at < got.out.size() && at < want.out.size() && got.out[at] == want.out[at]) ++at;
    ADD_FAILURE() << what << "\nstandard output differs (" << got.out.size() << " bytes, "
                  << want.out.size() << " expected) first at\n  expected "
                  << line_around(want.out, at) << "\n  actual   " << line_around(got.out, at);
  }
  EXPECT_EQ(got.err, want.err) << what;
  EXPECT_EQ(got.status, want.status) << what;
  return want;
}

// A criteria set, and whether it must select some records and reject
// others (so that bounds picked from the data cannot make it vacuous).
struct CriteriaSet {
  std::vector<std::string> words;
  bool splits;
};

// Records of the generated catalogs lie between 1990 and 2009 (two-digit
// years: 1900 to 1909 for the 2000s) and around 36 to 40 north, 119 to 123
// west, with magnitudes of about 0.5 to 1.5.
const std::vector<std::string> kTimeAndMag = {"-time", "19931104000000", "20031017000000",
                                              "-magnitude", "0.66", "1.2"};
const std::vector<std::string> kPolygon = {"36.92", "-122.8", "36.29", "-122.19", "37.58",
                                           "-120.39", "38.38", "-120.79", "39.63", "-121.27"};

std::vector<std::string> operator+(std::vector<std::string> a, const std::vector<std::string>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

std::vector<std::string> reversed_polygon() {
  std::vector<std::string> v;
  for (size_t i = kPolygon.size(); i >= 2; i -= 2) v = v + std::vector<std::string>{kPolygon[i - 2], kPolygon[i - 1]};
  return v;
}

const std::vector<CriteriaSet> kCommon = {
    {{}, false},
    {kTimeAndMag, true},
    {std::vector<std::string>{"-negate"} + kTimeAndMag, true},
    {{"-latitude", "36.36", "39.12", "-longitude", "-122.57", "-119", "-depth", "2.26", "15.77"},
     true},
    {{"-delta", "38", "-121", "10", "150"}, true},
    {{"-delta", "38", "60", "11450", "11650", "-negate"}, true},
    {std::vector<std::string>{"-polygon"} + kPolygon, true},
    {std::vector<std::string>{"-latitude", "37", "39", "-polygon"} + reversed_polygon() +
         std::vector<std::string>{"-time", "19910101000000", "20080101000000", "-negate"},
     true},
    {{"-magnitude", "0.59", "0.73", "-no_mag"}, true},
};

// Station count, residual, gap and closest station, for the formats that
// carry them all.
const CriteriaSet kStations = {
    {"-nstations", "15", "109", "-rms", "0.13", "0.54", "-gap", "45", "269", "-closest", "9", "79"},
    true};

// Criteria of each format beyond the common ones.
std::vector<CriteriaSet> own_sets(Format f) {
  switch (f) {
    case Format::kTarnOld:
    case Format::kTarnY2k:
      return {
          kStations,
          {{"-mtype", "md,mx", "-magnitude", "1", "2.5"}, true},
          {{"-mtype", "pref", "-magnitude", "9", "9", "-no_mag"}, true},  // no preferred one
          {{"-mtype", "avg", "-magnitude", "1", "2", "-negate"}, true},
          {{"-mtype", "mw,ml,mlm", "-magnitude", "0.9", "1.48", "-no_mag"}, true},
          {{"-time", "20050101000000", "25000101000000", "-mtype", "md,mln", "-magnitude", "0",
            "9"},
           false},
          {{"-etype", "BF"}, true},
          {{"-etype", "qa", "-negate"}, false},
          {{"-felt"}, true},
          {{"-errhoriz", "2.03", "7.9", "-errdepth", "0.87", "6.92"}, true},
      };
    case Format::kMechOld:
    case Format::kMechY2k:
      return {
          kStations,
          {{"-mtype", "avg,ml", "-magnitude", "1", "3"}, true},  // ends at the first zero avg
          {{"-mtype", "ml", "-depth", "2.32", "15.94"}, true},
          {{"-errhoriz", "1.75", "7.86", "-errdepth", "0.8", "6.78", "-negate"}, true},
      };
    case Format::kOrv:
      return {
          kStations,
          {{"-mtype", "ml,mw", "-magnitude", "0.7", "0.9", "-nmag", "14", "57"}, true},
          {{"-mtype", "mlb,ml", "-magnitude", "0", "9", "-no_mag", "-nmag", "1", "99"}, true},
          {{"-quality", "aB"}, true},
          {{"-m0", "2.66e+21", "1.04e+22"}, true},
          {{"-nm0", "1", "9", "-negate"}, true},
          {{"-errtime", "0.172", "1.796", "-errlat", "1.825", "7.89", "-errlon", "2.195", "9.468",
            "-errdepth", "0.797", "8.897"},
           true},
      };
    case Format::kBrim:
    case Format::kFullBrim:
      return {
          kStations,
          {{"-etype", "B"}, true},
          {{"-felt"}, true},
          {{"-depth", "-20000", "10.25"}, true},
          f == Format::kBrim
              ? CriteriaSet{{"-errtime", "0.217", "1.802", "-errlat", "2.048", "7.946", "-errlon",
                             "2.255", "8.741", "-errdepth", "1.116", "8.901"},
                            true}
              // The full brim summary line has no latitude or longitude errors.
              : CriteriaSet{{"-errtime", "0.217", "1.802", "-errdepth", "1.116", "8.901"}, true},
          // The missing-value markers are values like any other.
          {{"-depth", "-10000", "-10000", "-etype", "a"}, true},
          {{"-nstations", "-1", "-1", "-etype", "a", "-negate"}, true},
          {{"-nmag", "12", "36", "-negate"}, true},
      };
    case Format::kKelp:
      return {
          {{"-nstations", "15", "109", "-rms", "0.13", "0.54"}, true},
          {{"-quality", "ab"}, true},
          {{"-nmag", "12", "36", "-negate"}, true},
          {{"-magnitude", "0.6", "1.2", "-no_mag"}, true},
      };
  }
  return {};
}

class Differential : public ::testing::TestWithParam<Format> {};

std::string name_of(const ::testing::TestParamInfo<Format>& info) {
  return catgen_name(info.param);
}

TEST_P(Differential, CriteriaSets) {
  Format f = GetParam();
  const std::string& text = catalog(f);
  TempDir dir;
  std::string file = dir.write("catalog", text);
  std::vector<CriteriaSet> sets = kCommon;
  for (const CriteriaSet& s : own_sets(f)) sets.push_back(s);
  for (const CriteriaSet& s : sets) {
    RunResult want = compare(f, s.words, {file});
    if (s.splits) {
      EXPECT_TRUE(!want.out.empty() && want.out.size() < text.size())
          << catgen_name(f) << ": " << join(s.words) << " selects all or nothing";
    }
  }
}

// Splits a catalog in two overlapping parts, so that the second begins with
// records older than the last of the first.
std::pair<std::string, std::string> overlapping_halves(Format f, const std::string& text) {
  std::vector<size_t> starts;  // where records begin
  size_t at = 0;
  while (at < text.size()) {
    bool starts_record = f != Format::kFullBrim || at == 0 ||
                         (at >= 5 && text.compare(at - 5, 5, "$end\n") == 0);
    if (starts_record) starts.push_back(at);
    size_t end = text.find('\n', at);
    at = end == std::string::npos ? text.size() : end + 1;
  }
  size_t a = starts[starts.size() / 3], b = starts[2 * starts.size() / 3];
  return {text.substr(0, b), text.substr(a)};
}

TEST_P(Differential, TwoInputsCarryTheTime) {
  Format f = GetParam();
  TempDir dir;
  auto halves = overlapping_halves(f, catalog(f));
  std::string first = dir.write("first", halves.first);
  std::string second = dir.write("second", halves.second);
  for (const std::vector<std::string>& words :
       {std::vector<std::string>{}, {"-time", "19910601000000", "20090101000000"},
        {"-time", "19910601000000", "20090101000000", "-negate"}}) {
    compare(f, words, {first, second});
  }
  // An empty input first: the layout and the time bound come from the next.
  std::string empty = dir.write("empty", "");
  compare(f, {"-time", "19950101000000", "20090101000000"}, {empty, second, first});
}

// The same through standard input, which the program reads in its own way.
TEST_P(Differential, StandardInput) {
  Format f = GetParam();
  compare(f, kTimeAndMag, {}, catalog(f));
}

// gzip, bzip2 and xz copies on standard input, each in two members (or
// streams) split inside a record: as the reference reads the plain text.
TEST_P(Differential, CompressedStandardInput) {
  Format f = GetParam();
  const std::string& text = catalog(f);
  size_t split = text.size() / 2 + 7;
  for (Packing how : {Packing::kGzip, Packing::kBzip2, Packing::kXz})
    compare(f, kTimeAndMag, {}, pack(how, text.substr(0, split)) + pack(how, text.substr(split)),
            &text);
}

// The layout test looks a column up in the text " NSns+-", whose terminator
// a NUL byte at that column matches: this first line is of the old layout.
// A NUL byte is no hemisphere character: a first line that would fit a
// layout only through one fits none.
TEST(FirstLine, NulByteAtAHemisphereColumnIsNoMember) {
  std::string line = record(0, {{1, "9501011230152537"}, {18, "4500122 3000"}, {77, "E"}});
  line[16] = '\0';
  RunResult r = run_catsieve({}, line);
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "Error: Unable to determine format for tarn_catalog\n");
}

INSTANTIATE_TEST_SUITE_P(Readers, Differential,
                         ::testing::Values(Format::kTarnOld, Format::kTarnY2k, Format::kMechOld,
                                           Format::kMechY2k, Format::kOrv, Format::kBrim,
                                           Format::kKelp, Format::kFullBrim),
                         name_of);

}  // namespace
}  // namespace diff
