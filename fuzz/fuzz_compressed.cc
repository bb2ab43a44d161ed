// Catalog text as a gzip, bzip2 or xz input: packed whole, cut short at a
// point drawn from the input, or as raw bytes behind the magic number, so
// that the decoders' faults and the pieces of text they hand out meet every
// reader, in every output form; what the run writes is checked as a
// document of its form.
#include <bzlib.h>
#include <lzma.h>
#include <zlib.h>

#include <string>
#include <vector>

#include "fuzz_support.h"

namespace {

enum class Packing { kGzip, kBzip2, kXz };

// The text in one gzip member, bzip2 stream or xz stream, packed by the
// libraries in memory: a fuzzer runs too many inputs to start a program
// for each.
std::string pack(Packing how, const std::string& text) {
  std::vector<char> out(text.size() + text.size() / 2 + 1024);
  size_t n = 0;
  switch (how) {
    case Packing::kGzip: {
      z_stream z{};
      deflateInit2(&z, Z_DEFAULT_COMPRESSION, Z_DEFLATED, 15 + 16, 8, Z_DEFAULT_STRATEGY);
      z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(text.data()));
      z.avail_in = static_cast<uInt>(text.size());
      z.next_out = reinterpret_cast<Bytef*>(out.data());
      z.avail_out = static_cast<uInt>(out.size());
      deflate(&z, Z_FINISH);
      n = z.total_out;
      deflateEnd(&z);
      break;
    }
    case Packing::kBzip2: {
      unsigned len = static_cast<unsigned>(out.size());
      BZ2_bzBuffToBuffCompress(out.data(), &len, const_cast<char*>(text.data()),
                               static_cast<unsigned>(text.size()), 1, 0, 0);
      n = len;
      break;
    }
    case Packing::kXz:
      lzma_easy_buffer_encode(0, LZMA_CHECK_CRC64, nullptr,
                              reinterpret_cast<const uint8_t*>(text.data()), text.size(),
                              reinterpret_cast<uint8_t*>(out.data()), &n, out.size());
      break;
  }
  return std::string(out.data(), n);
}

const Packing kinds[] = {Packing::kGzip, Packing::kBzip2, Packing::kXz};
const char* const formats[] = {"tarn", "mech", "orv", "brim", "kelp", "f_brim"};
constexpr int kKinds = 3, kShapes = 3, kFormats = 6;
// No form word: the records as they stood.
const char* const forms[] = {"", "--csv", "--geojson", "--quakeml", "--text", "--count"};
constexpr unsigned kForms = sizeof forms / sizeof forms[0];

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
  const char* form = forms[b.take() % kForms];
  const uint32_t cut = b.bits();
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
  std::vector<std::string> words = {"-format", formats[mode / (kKinds * kShapes) % kFormats]};
  if (*form) words.push_back(form);
  words.insert(words.end(), {input.path, input.path});
  run_program(words);
  return 0;
}
