// Test catalogs for the differential tests: realistic records from the
// catalog generator, then a deterministic share of them damaged the way real
// files get damaged (blank and cut fields, overlong lines, stray signs and
// letters, NUL bytes, lower-case letters, odd line ends, records out of
// time order), aimed mostly at the numbers.
#ifndef TESTS_DIFFERENTIAL_CATALOG_DATA_H
#define TESTS_DIFFERENTIAL_CATALOG_DATA_H

#include <cstdint>
#include <string>


namespace diff {

// The catalog layouts, as the generator names them.
enum class Format { kTarnOld, kTarnY2k, kMechOld, kMechY2k, kOrv, kBrim, kKelp, kFullBrim };

// The word of -format for a layout, and the generator's name of it.
const char* format_word(Format f);
const char* catgen_name(Format f);
// Line-buffer size of the layout's reader.
int buffer_size(Format f);

// A small generator of our own, so that the damage is the same everywhere.
struct Rng {
  uint64_t s;
  explicit Rng(uint64_t seed) : s(seed * 0x9E3779B97F4A7C15ull + 1) {}
  uint64_t next() {
    s ^= s << 13;
    s ^= s >> 7;
    s ^= s << 17;
    return s;
  }
  // 0 to n - 1.
  size_t below(size_t n) { return n ? static_cast<size_t>(next() % n) : 0; }
  bool chance(double p) { return static_cast<double>(next() >> 11) * 0x1p-53 < p; }
};

// The generator's output: count lines (records for the full brim format).
std::string generate(Format f, int count, unsigned seed);

// The text with about share of its lines damaged.  The first line of a tarn
// catalog keeps its fields, since it settles the layout, but grows longer.
std::string damage(Format f, const std::string& text, unsigned seed, double share);

}  // namespace diff

#endif
