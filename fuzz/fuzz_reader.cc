// Arbitrary bytes as a catalog of one format (FUZZ_FORMAT), under a set of
// criteria and an output form drawn from the first bytes of the input.
#include <string>
#include <vector>

#include "fuzz_support.h"

namespace {

// The options in play, each switched on by one bit of the first bytes.
std::vector<std::string> criteria(Bytes& b) {
  std::vector<std::string> w;
  unsigned on = b.take() | (b.take() << 8) | (b.take() << 16) | (static_cast<unsigned>(b.take()) << 24);
  auto bit = [&on](int i) { return (on >> i) & 1u; };
  auto range = [&](const char* opt, double lo, double hi) {
    std::string a = b.number(lo, hi), c = b.number(lo, hi);
    if (std::stod(a) > std::stod(c)) std::swap(a, c);
    w.insert(w.end(), {opt, a, c});
  };
  if (bit(0)) w.push_back("-negate");
  if (bit(1)) {
    static const char* years[] = {"1995", "1999", "2000", "2003", "1900", "1700"};
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
  // The selected records described as events too, in one of the output forms.
  static const char* forms[] = {"--csv", "--geojson", "--quakeml", "--count"};
  if (bit(26)) w.push_back(forms[b.take() % 4]);
  return w;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz_setup();
  Bytes b{data, size < 64 ? size : 64};
  std::vector<std::string> words = {"-format", FUZZ_FORMAT};
  for (auto& w : criteria(b)) words.push_back(w);
  size_t used = size < 64 ? size : 64;
  MemFile catalog(data + used, size - used);
  words.push_back(catalog.path);
  // Twice, so that the carry-over from one input to the next is run too.
  if (b.take() & 1) words.push_back(catalog.path);
  run_program(words);
  return 0;
}
