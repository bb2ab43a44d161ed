// Differential tests of the readers: for each catalog layout a few thousand
// generated and partly damaged records are filtered under a set of criteria
// twice, by the built program and by the reference build of the same
// readers (records read by fgets, fields converted by atoi and atof, every
// record written through stdio, no day kept from one record to the next),
// and the two must agree byte for byte on standard output, on standard
// error (the -verbose summaries and any message) and on the exit status.
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
#include "differential/columns.h"
#include "gtest/gtest.h"
#include "support/cli_harness.h"
#include "support/temp_dir.h"

namespace diff {

void PrintTo(Format f, std::ostream* os) { *os << catgen_name(f); }

namespace {

constexpr int kLines = 3000;
constexpr int kFullBrimRecords = 700;
constexpr double kDamagedShare = 0.12;

struct Catalog {
  std::string text;
  // Records whose values give the bounds (summary lines for full brim).
  std::vector<std::string> units;
};

const Catalog& catalog(Format f) {
  static std::map<Format, Catalog> cache;
  auto it = cache.find(f);
  if (it != cache.end()) return it->second;
  unsigned seed = 1000 + static_cast<unsigned>(f);
  Catalog c;
  c.text = damage(f, generate(f, f == Format::kFullBrim ? kFullBrimRecords : kLines, seed), seed,
                  kDamagedShare);
  if (f == Format::kFullBrim) {
    c.units = full_brim_summaries(c.text);
  } else {
    size_t at = 0;
    while (at < c.text.size()) {
      size_t end = c.text.find('\n', at);
      end = end == std::string::npos ? c.text.size() : end + 1;
      if (end - at < static_cast<size_t>(buffer_size(f)))
        c.units.push_back(c.text.substr(at, end - at));
      at = end;
    }
  }
  return cache.emplace(f, std::move(c)).first->second;
}

std::string number(double v) {
  char text[40];
  std::snprintf(text, sizeof text, "%.17g", v);
  return text;
}

// A value text that every argument reader takes as it is: no exponent, no
// infinity, not a not-a-number.
bool plain(const std::string& text) { return text.find_first_of("eEn") == std::string::npos; }

Field field_named(const std::string& name) {
  static const std::map<std::string, Field> names = {
      {"lat", Field::kLat},       {"lon", Field::kLon},         {"depth", Field::kDepth},
      {"mag", Field::kMag},       {"nsta", Field::kNsta},       {"gap", Field::kGap},
      {"close", Field::kClose},   {"rms", Field::kRms},         {"herr", Field::kHerr},
      {"zerr", Field::kZerr},     {"oterr", Field::kOtErr},     {"laterr", Field::kLatErr},
      {"lonerr", Field::kLonErr}, {"nmag", Field::kNmagObs},    {"m0", Field::kM0},
      {"nm0", Field::kNm0Obs},
  };
  auto it = names.find(name);
  if (it == names.end()) throw std::runtime_error("no field " + name);
  return it->second;
}

// The p-quantile of a field over the catalog's records: the value of one of
// them, so that some records lie exactly on a bound made of it.
double quantile(Format f, const Catalog& c, Field field, double p) {
  static std::map<std::pair<Format, Field>, std::vector<double>> sorted;
  std::vector<double>& values = sorted[{f, field}];
  if (values.empty()) {
    double v;
    for (const std::string& u : c.units)
      if (field_value(f, u, field, &v)) values.push_back(v);
    if (values.empty()) throw std::runtime_error("no record carries the field");
    std::sort(values.begin(), values.end());
  }
  return values[static_cast<size_t>(p * static_cast<double>(values.size() - 1))];
}

// The p-quantile of the origin times, as a -time word.
std::string time_quantile(Format f, const Catalog& c, double p) {
  static std::map<Format, std::vector<std::pair<double, std::string>>> sorted;
  std::vector<std::pair<double, std::string>>& times = sorted[f];
  if (times.empty()) {
    std::string word;
    for (const std::string& u : c.units)
      if (time_word(f, u, &word)) times.emplace_back(catsieve::epoch(word.c_str()), word);
    if (times.empty()) throw std::runtime_error("no record has a usable time");
    std::sort(times.begin(), times.end());
  }
  return times[static_cast<size_t>(p * static_cast<double>(times.size() - 1))].second;
}

// The epicentre of a record from the fraction p of the catalog on, one in
// the midst of the others (not one moved by the damage).
std::pair<double, double> place_at(Format f, const Catalog& c, double p) {
  double lat0 = quantile(f, c, Field::kLat, 0.05), lat1 = quantile(f, c, Field::kLat, 0.95);
  double lon0 = quantile(f, c, Field::kLon, 0.05), lon1 = quantile(f, c, Field::kLon, 0.95);
  double lat, lon;
  size_t n = c.units.size();
  for (size_t k = 0; k < n; ++k) {
    const std::string& u = c.units[(static_cast<size_t>(p * static_cast<double>(n)) + k) % n];
    if (field_value(f, u, Field::kLat, &lat) && field_value(f, u, Field::kLon, &lon) &&
        plain(number(lat)) && plain(number(lon)) && lat >= lat0 && lat <= lat1 && lon >= lon0 &&
        lon <= lon1)
      return {lat, lon};
  }
  throw std::runtime_error("no record has a usable epicentre");
}

// Criteria words with placeholders filled from the catalog:
//   {time:p:q}   the p- and q-quantiles of the records' origin times;
//   {FIELD:p:q}  the p- and q-quantiles of a field's values, each the value
//                of some record, which then lies exactly on the bound;
//   {FIELD:p}    the p-quantile alone;
//   {delta}      the epicentre of the middle record and 10 to 150 km;
//   {poly}       a polygon with its vertices on the epicentres of 5 records,
//                anticlockwise, {reversed poly} the same clockwise.
std::vector<std::string> fill(Format f, const std::vector<std::string>& words) {
  const Catalog& c = catalog(f);
  std::vector<std::string> out;
  for (const std::string& w : words) {
    if (w.size() < 2 || w.front() != '{' || w.back() != '}') {
      out.push_back(w);
      continue;
    }
    std::string key = w.substr(1, w.size() - 2);
    if (key == "delta") {
      auto centre = place_at(f, c, 0.5);
      for (const std::string& a : {number(centre.first), number(centre.second), std::string("10"),
                                   std::string("150")})
        out.push_back(a);
      continue;
    }
    if (key == "poly" || key == "reversed poly") {
      std::vector<std::pair<double, double>> v;
      for (double p : {0.05, 0.25, 0.45, 0.65, 0.85}) v.push_back(place_at(f, c, p));
      // In order of their bearing from the centre, so that the polygon
      // does not cross itself.
      double clat = 0, clon = 0;
      for (const auto& x : v) clat += x.first / 5, clon += x.second / 5;
      std::sort(v.begin(), v.end(), [&](const auto& a, const auto& b) {
        return std::atan2(a.first - clat, a.second - clon) <
               std::atan2(b.first - clat, b.second - clon);
      });
      if (key == "reversed poly") std::reverse(v.begin(), v.end());
      for (const auto& x : v) {
        out.push_back(number(x.first));
        out.push_back(number(x.second));
      }
      continue;
    }
    size_t colon1 = key.find(':'), colon2 = key.rfind(':');
    std::string name = key.substr(0, colon1);
    std::vector<double> at = {std::stod(key.substr(colon1 + 1, colon2 - colon1 - 1))};
    if (colon2 != colon1) at.push_back(std::stod(key.substr(colon2 + 1)));
    for (double p : at)
      out.push_back(name == "time" ? time_quantile(f, c, p)
                                   : number(quantile(f, c, field_named(name), p)));
  }
  return out;
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

// Runs both builds and compares; returns the reference's outcome.
RunResult compare(Format f, const std::vector<std::string>& criteria,
                  const std::vector<std::string>& files, const std::string& input = "") {
  std::vector<std::string> args = {"-verbose", "-format", format_word(f)};
  args.insert(args.end(), criteria.begin(), criteria.end());
  args.insert(args.end(), files.begin(), files.end());
  RunSetup setup;
  setup.input = input;
  RunResult got = run_catsieve(args, setup);
  setup.program = REFERENCE_BIN;
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

const std::vector<CriteriaSet> kCommon = {
    {{}, false},
    {{"-time", "{time:0.2:0.7}", "-magnitude", "{mag:0.3:0.8}"}, true},
    {{"-negate", "-time", "{time:0.2:0.7}", "-magnitude", "{mag:0.3:0.8}"}, true},
    {{"-latitude", "{lat:0.1:0.8}", "-longitude", "{lon:0.2:0.9}", "-depth", "{depth:0.1:0.8}"},
     true},
    {{"-delta", "{delta}"}, true},
    {{"-delta", "38", "60", "11450", "11650", "-negate"}, true},
    {{"-polygon", "{poly}"}, true},
    {{"-latitude", "37", "39", "-polygon", "{reversed poly}", "-time", "{time:0.1:0.9}",
      "-negate"},
     true},
    {{"-magnitude", "{mag:0.2:0.4}", "-no_mag"}, true},
};

// Station count, residual, gap and closest station, for the formats that
// carry them all.
const CriteriaSet kStations = {{"-nstations", "{nsta:0.1:0.9}", "-rms", "{rms:0.2:0.9}", "-gap",
                                "{gap:0.1:0.8}", "-closest", "{close:0.1:0.8}"},
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
          {{"-mtype", "mw,ml,mlm", "-magnitude", "{mag:0.6:0.9}", "-no_mag"}, true},
          // Ends at the first record of the interval without a coda magnitude
          // (which may be the first of the interval).
          {{"-time", "{time:0.8:1}", "-mtype", "md,mln", "-magnitude", "0", "9"}, false},
          {{"-etype", "BF"}, true},
          {{"-etype", "qa", "-negate"}, false},
          {{"-etype", "N", "-negate"}, true},
          {{"-felt"}, true},
          {{"-errhoriz", "{herr:0.2:0.8}", "-errdepth", "{zerr:0.1:0.7}"}, true},
          {{"-quality", "ab", "-nmag", "1", "5", "-m0", "1", "2", "-nm0", "1", "2", "-errtime",
            "0", "1", "-errlat", "0", "1", "-errlon", "0", "1"},
           false},
      };
    case Format::kMechOld:
    case Format::kMechY2k:
      return {
          kStations,
          {{"-mtype", "avg,ml", "-magnitude", "1", "3"}, true},  // ends at the first zero avg
          {{"-mtype", "ml", "-depth", "{depth:0.1:0.8}"}, true},
          {{"-errhoriz", "{herr:0.2:0.8}", "-errdepth", "{zerr:0.1:0.7}", "-negate"}, true},
          {{"-etype", "Q", "-felt", "-quality", "a", "-nmag", "1", "5", "-errlat", "0", "1"},
           false},
      };
    case Format::kOrv:
      return {
          kStations,
          {{"-mtype", "ml,mw", "-magnitude", "{mag:0.3:0.6}", "-nmag", "{nmag:0.2:0.9}"}, true},
          {{"-mtype", "ml,md", "-magnitude", "0", "9"}, true},  // ends at the first without ml
          {{"-nmag", "0", "20"}, false},  // nmag stays 0 without -magnitude
          // No usable magnitude leaves no observation count behind.
          {{"-mtype", "mlb,ml", "-magnitude", "0", "9", "-no_mag", "-nmag", "1", "99"}, true},
          {{"-quality", "aB"}, true},
          {{"-m0", "{m0:0.1:0.9}"}, true},
          {{"-nm0", "1", "9", "-negate"}, true},
          {{"-felt", "-negate"}, true},
          {{"-errtime", "{oterr:0.1:0.9}", "-errlat", "{laterr:0.2:0.8}", "-errlon",
            "{lonerr:0.2:0.8}", "-errdepth", "{zerr:0.1:0.9}"},
           true},
          {{"-etype", "Q", "-errhoriz", "0", "1"}, false},
      };
    case Format::kBrim:
    case Format::kFullBrim:
      return {
          kStations,
          {{"-etype", "B"}, true},
          {{"-etype", "qh", "-negate"}, true},
          {{"-etype", "RA"}, false},
          {{"-felt"}, true},
          {{"-depth", "-20000", "{depth:0.5}"}, true},
          f == Format::kBrim
              ? CriteriaSet{{"-errtime", "{oterr:0.1:0.9}", "-errlat", "{laterr:0.2:0.8}",
                             "-errlon", "{lonerr:0.2:0.8}", "-errdepth", "{zerr:0.1:0.9}"},
                            true}
              // The full brim summary line has no latitude or longitude errors.
              : CriteriaSet{{"-errtime", "{oterr:0.1:0.9}", "-errdepth", "{zerr:0.1:0.9}"}, true},
          // The missing-value markers are values like any other.
          {{"-errlat", "-1", "-1", "-negate"}, f == Format::kBrim},
          {{"-errlon", "-1", "0", "-etype", "a"}, f == Format::kBrim},
          {{"-depth", "-10000", "-10000", "-etype", "a"}, true},
          {{"-nstations", "-1", "-1", "-etype", "a", "-negate"}, true},
          {{"-gap", "-1", "-1", "-closest", "-1", "0", "-etype", "a", "-negate"}, true},
          {{"-nmag", "{nmag:0.2:0.6}", "-negate"}, true},
          {{"-quality", "a", "-mtype", "md", "-errhoriz", "0", "1"}, false},
      };
    case Format::kKelp:
      return {
          {{"-nstations", "{nsta:0.1:0.9}", "-rms", "{rms:0.2:0.9}"}, true},
          {{"-quality", "ab"}, true},
          {{"-nmag", "{nmag:0.2:0.6}", "-negate"}, true},
          {{"-magnitude", "{mag:0.3:0.8}", "-no_mag"}, true},
          {{"-depth", "0", "10", "-etype", "Q", "-felt", "-closest", "0", "1"}, true},
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
  const Catalog& c = catalog(f);
  TempDir dir;
  std::string file = dir.write("catalog", c.text);
  std::vector<CriteriaSet> sets = kCommon;
  for (const CriteriaSet& s : own_sets(f)) sets.push_back(s);
  for (const CriteriaSet& s : sets) {
    std::vector<std::string> words = fill(f, s.words);
    RunResult want = compare(f, words, {file});
    if (s.splits) {
      EXPECT_TRUE(!want.out.empty() && want.out.size() < c.text.size())
          << catgen_name(f) << ": " << join(words) << " selects all or nothing";
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
  const Catalog& c = catalog(f);
  TempDir dir;
  auto halves = overlapping_halves(f, c.text);
  std::string first = dir.write("first", halves.first);
  std::string second = dir.write("second", halves.second);
  for (const std::vector<std::string>& words :
       {std::vector<std::string>{}, {"-time", "{time:0.1:0.95}"},
        {"-time", "{time:0.1:0.95}", "-negate"}}) {
    compare(f, fill(f, words), {first, second});
  }
  // An empty input first: the layout and the time bound come from the next.
  std::string empty = dir.write("empty", "");
  compare(f, fill(f, {"-time", "{time:0.3:0.95}"}), {empty, second, first});
}

// The same through standard input, which the program reads in its own way.
TEST_P(Differential, StandardInput) {
  Format f = GetParam();
  compare(f, fill(f, {"-time", "{time:0.2:0.7}", "-magnitude", "{mag:0.3:0.8}"}), {},
          catalog(f).text);
}

// Windows of a single origin time, of records spread over the years (leap
// years among them): a record's origin time must come out exactly the same.
TEST_P(Differential, ExactTimes) {
  Format f = GetParam();
  TempDir dir;
  std::string file = dir.write("catalog", catalog(f).text);
  for (const char* at : {"{time:0.135:0.135}", "{time:0.325:0.325}", "{time:0.725:0.725}",
                         "{time:0.94:0.94}"}) {
    RunResult want = compare(f, fill(f, {"-time", at, "-etype", "a"}), {file});
    EXPECT_FALSE(want.out.empty()) << catgen_name(f) << ": nothing at " << at;
  }
}

// The layout test looks a column up in the text " NSns+-", whose terminator
// a NUL byte at that column matches: this first line is of the old layout.
TEST(FirstLine, NulByteAtAHemisphereColumnCountsAsAMember) {
  std::string line = record(0, {{1, "9501011230152537"}, {18, "4500122 3000"}, {77, "E"}});
  line[16] = '\0';
  RunResult r = run_catsieve({}, line);
  EXPECT_EQ(r.status, 0);
  EXPECT_TRUE(r.out == line);
  EXPECT_EQ(r.err, "");
}

INSTANTIATE_TEST_SUITE_P(Readers, Differential,
                         ::testing::Values(Format::kTarnOld, Format::kTarnY2k, Format::kMechOld,
                                           Format::kMechY2k, Format::kOrv, Format::kBrim,
                                           Format::kKelp, Format::kFullBrim),
                         name_of);

}  // namespace
}  // namespace diff
