// Arbitrary bytes as a catalog of one format (FUZZ_FORMAT), under a set of
// criteria, settings and an output form drawn from the first bytes of the
// input; what the run writes is checked as a document of its form.
#include <string>
#include <vector>

#include "fuzz_support.h"

namespace {

// The first bytes of the input that choose the options; the rest is the
// catalog.
constexpr size_t kOptionBytes = 64;
constexpr int kMaxSmallCount = 8;
constexpr int kMaxExtraColumns = 5;

// The options in play, each switched on by one bit of the first bytes.
std::vector<std::string> criteria(Bytes& b) {
  std::vector<std::string> w;
  const uint32_t on = b.bits();
  auto bit = [&on](int i) { return (on >> i) & 1u; };
  auto range = [&](const char* opt, double lo, double hi) {
    std::string a = b.number(lo, hi), c = b.number(lo, hi);
    if (std::stod(a) > std::stod(c)) std::swap(a, c);
    w.insert(w.end(), {opt, a, c});
  };
  if (bit(0)) w.push_back("-negate");
  if (bit(1)) {
    static const char* const years[] = {"1995", "1999", "2000", "2003", "1900", "1700"};
    std::string y1 = years[b.take() % 6], y2 = years[b.take() % 6];
    if (y1 > y2) std::swap(y1, y2);
    w.insert(w.end(), {"-time", y1 + "0101000000", y2 + "1231235959"});
  }
  if (bit(2)) range("-latitude", -90, 90);
  if (bit(3)) range("-longitude", -200, 200);
  if (bit(4)) range("-depth", -20000, 700);
  if (bit(5)) w.insert(w.end(), {"-mtype", b.letters("mlwdxavgprefcobtn,", 12)});
  if (bit(6)) range("-magnitude", -10, 10);
  if (bit(7)) w.push_back("-no_mag");
  if (bit(8)) range("-nstations", -2, 200);
  if (bit(9)) range("-rms", -2, 5);
  if (bit(10)) range("-gap", -2, 360);
  if (bit(11)) range("-closest", -2, 500);
  if (bit(12)) {
    std::string lat = b.number(-90, 90), lon = b.number(-180, 180), lo = b.number(0, 500),
                hi = b.number(0, 20000);
    if (std::stod(lo) > std::stod(hi)) std::swap(lo, hi);
    w.insert(w.end(), {"-delta", lat, lon, lo, hi});
  }
  if (bit(13)) {
    w.push_back("-polygon");
    int n = 3 + b.take() % 8;
    for (int i = 0; i < n; ++i) {
      w.push_back(b.number(-90, 90));
      w.push_back(b.number(-180, 180));
    }
  }
  if (bit(14)) w.insert(w.end(), {"-etype", b.letters("EQRBNFHAeqx", 6)});
  if (bit(15)) w.insert(w.end(), {"-quality", b.letters("ABCDabcd", 4)});
  if (bit(16)) w.push_back("-felt");
  if (bit(17)) range("-nmag", -2, 100);
  if (bit(18)) range("-m0", -1, 1e20);
  if (bit(19)) range("-nm0", -2, 100);
  if (bit(20)) range("-errtime", -2, 10);
  if (bit(21)) range("-errlat", -2, 100);
  if (bit(22)) range("-errlon", -2, 100);
  if (bit(23)) range("-errhoriz", -2, 100);
  if (bit(24)) range("-errdepth", -2, 100);
  if (bit(25)) w.push_back("-verbose");
  return w;
}

// The options of the FDSN names, the output's order and limits, and its
// settings, each switched on by one bit of a second word.
std::vector<std::string> service_options(Bytes& b) {
  std::vector<std::string> w;
  const uint32_t on = b.bits();
  auto bit = [&on](int i) { return (on >> i) & 1u; };
  auto pick = [&b](const auto& words) {
    return std::string(words[b.take() % (sizeof words / sizeof words[0])]);
  };
  auto bound = [&](const char* opt, double lo, double hi) {
    w.insert(w.end(), {opt, b.number(lo, hi)});
  };
  if (bit(0)) bound("--minmagnitude", -2, 9);
  if (bit(1)) bound("--maxmagnitude", -2, 9);
  if (bit(2)) bound("--mindepth", -10, 700);
  if (bit(3)) bound("--maxdepth", -10, 700);
  if (bit(4)) bound("--minlatitude", -90, 90);
  if (bit(5)) bound("--maxlatitude", -90, 90);
  if (bit(6)) bound("--minlongitude", -180, 180);
  if (bit(7)) bound("--maxlongitude", -180, 180);
  if (bit(8)) {
    bound("--latitude", -90, 90);
    bound("--longitude", -180, 180);
    bound("--maxradius", 0, 180);
  }
  if (bit(9)) bound("--minradiuskm", 0, 20000);
  static const char* const event_types[] = {"earthquake", "quarry blast", "explosion,earthquake",
                                            "not reported", "nuclear explosion,other event"};
  if (bit(10)) w.insert(w.end(), {"--eventtype", pick(event_types)});
  static const char* const orders[] = {"time", "time-asc", "magnitude", "magnitude-asc"};
  if (bit(11)) w.insert(w.end(), {"--orderby", pick(orders)});
  // Small counts, so that the limits meet the few records of an input.
  if (bit(12)) w.insert(w.end(), {"--limit", std::to_string(1 + b.take() % kMaxSmallCount)});
  if (bit(13)) w.insert(w.end(), {"--offset", std::to_string(1 + b.take() % kMaxSmallCount)});
  if (bit(14)) w.insert(w.end(), {"--max-events", std::to_string(1 + b.take() % kMaxSmallCount)});
  static const char* const columns[] = {"time", "latitude", "longitude", "depth",
                                        "mag",  "magType",  "nst",       "gap",
                                        "type", "id",       "quality",   "scalarMoment"};
  if (bit(15)) {
    std::string list = pick(columns);
    for (int n = b.take() % kMaxExtraColumns; n > 0; --n) list += "," + pick(columns);
    w.insert(w.end(), {"--columns", list});
  }
  // Plain words, and any word of the separators and quotes of the forms.
  static const char* const missing[] = {"NaN", "", "-", "n/a"};
  if (bit(16)) {
    w.push_back("--missing");
    w.push_back(bit(17) ? b.letters("Na,|\"\n <&", 4) : pick(missing));
  }
  if (bit(18)) w.push_back("--each-input");
  static const char* const times[] = {"1995-01-01", "1999-12-31T23:59:59", "2000-02-29T12:00",
                                      "1980-06-01T00:00:00.5Z"};
  if (bit(19)) w.insert(w.end(), {"--since", pick(times)});
  static const char* const untils[] = {"+30d", "+1d12h", "2001-01-01", "2030-01-01T00:00:00"};
  if (bit(20)) w.insert(w.end(), {"--until", pick(untils)});
  static const char* const authorities[] = {"local", "ci.example", "a_b~(c)"};
  if (bit(21)) w.insert(w.end(), {"--authority", pick(authorities)});
  static const char* const mtypes[] = {"mw", "ml,md", "pref", "mw,mlb,avg"};
  if (bit(22)) w.insert(w.end(), {"--magnitudetype", pick(mtypes)});
  if (bit(23)) w.push_back("--strict");
  // The selected records described as events too, in one of the output forms.
  static const char* const forms[] = {"--csv", "--geojson", "--quakeml", "--text", "--count"};
  if (bit(24)) w.push_back(pick(forms));
  return w;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz_setup();
  size_t used = size < kOptionBytes ? size : kOptionBytes;
  Bytes b{data, used};
  std::vector<std::string> words = {"-format", FUZZ_FORMAT};
  for (auto& w : criteria(b)) words.push_back(w);
  for (auto& w : service_options(b)) words.push_back(w);
  MemFile catalog(data + used, size - used);
  words.push_back(catalog.path);
  // Twice, so that the carry-over from one input to the next is run too.
  if (b.take() & 1) words.push_back(catalog.path);
  run_program(words);
  return 0;
}
