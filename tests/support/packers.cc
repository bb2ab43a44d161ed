#include "support/packers.h"

#include <bzlib.h>
#include <lzma.h>
#include <zlib.h>

#include <stdexcept>

std::string pack(Packing how, const std::string& data) {
  char* in = const_cast<char*>(data.data());
  std::string out(data.size() + data.size() / 50 + 1024, '\0');
  if (how == Packing::kGzip) {
    z_stream z{};
    // A window of 16 + MAX_WBITS: gzip's header and trailer around the data.
    if (deflateInit2(&z, Z_DEFAULT_COMPRESSION, Z_DEFLATED, 16 + MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK)
      throw std::runtime_error("deflateInit2");
    z.next_in = reinterpret_cast<Bytef*>(in);
    z.avail_in = static_cast<uInt>(data.size());
    z.next_out = reinterpret_cast<Bytef*>(&out[0]);
    z.avail_out = static_cast<uInt>(out.size());
    int rc = deflate(&z, Z_FINISH);
    out.resize(z.total_out);
    deflateEnd(&z);
    if (rc != Z_STREAM_END) throw std::runtime_error("deflate");
  } else if (how == Packing::kBzip2) {
    unsigned size = static_cast<unsigned>(out.size());
    if (BZ2_bzBuffToBuffCompress(&out[0], &size, in, static_cast<unsigned>(data.size()), 1, 0, 30) != BZ_OK)
      throw std::runtime_error("BZ2_bzBuffToBuffCompress");
    out.resize(size);
  } else {
    // The fastest preset, whose encoder needs a few MB instead of a hundred.
    size_t at = 0;
    out.resize(lzma_stream_buffer_bound(data.size()));
    if (lzma_easy_buffer_encode(0, LZMA_CHECK_CRC64, nullptr, reinterpret_cast<const uint8_t*>(in),
                                data.size(), reinterpret_cast<uint8_t*>(&out[0]), &at, out.size()) != LZMA_OK)
      throw std::runtime_error("lzma_easy_buffer_encode");
    out.resize(at);
  }
  return out;
}
