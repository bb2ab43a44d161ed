// Catalog text as a gzip, bzip2 or xz input: packed whole, cut short at a
// point drawn from the input, or as raw bytes behind the magic number, so
// that the decoders' faults and the pieces of text they hand out meet every
// reader.
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "support/packers.h"

namespace {

const Packing kinds[] = {Packing::kGzip, Packing::kBzip2, Packing::kXz};
const char* const formats[] = {"tarn", "mech", "orv", "brim", "kelp", "f_brim"};
constexpr int kKinds = 3, kShapes = 3, kFormats = 6;

std::string magic(Packing how) {
  switch (how) {
    case Packing::kGzip: return "\x1f\x8b";
    case Packing::kBzip2: return "BZh91AY&SY";
    default: return std::string("\xfd" "7zXZ\0", 6);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz_setup();
  Bytes b{data, size};
  unsigned mode = b.take();
  unsigned cut = b.take() | (b.take() << 8) | (b.take() << 16);
  std::string text(reinterpret_cast<const char*>(b.p), b.n);
  Packing how = kinds[mode % kKinds];
  std::string bytes;
  switch (mode / kKinds % kShapes) {
    case 0: bytes = pack(how, text); break;
    case 1: bytes = pack(how, text); bytes.resize(cut % (bytes.size() + 1)); break;
    default: bytes = magic(how) + text; break;
  }
  MemFile input(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
  // Twice, so that a fault does not stop the next input and the carry-over
  // from one input to the next is run too.
  run_program({"-format", formats[mode / (kKinds * kShapes) % kFormats], input.path, input.path});
  return 0;
}
