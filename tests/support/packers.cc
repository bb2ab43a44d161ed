#include "support/packers.h"

#include <bzlib.h>
#include <lzma.h>
#include <zlib.h>

#include <stdexcept>

namespace {

// gzip's header and trailer around the deflate data.
constexpr int kGzipWindow = 16 + MAX_WBITS;
constexpr int kMemLevel = 8;
constexpr int kBzip2SmallBlocks = 1;
constexpr int kBzip2Work = 30;
constexpr size_t kSlack = 1024;
// The fastest xz preset, whose encoder needs a few MB instead of a hundred.
constexpr uint32_t kXzPreset = 0;

std::string gzip(const std::string& data) {
  z_stream z{};
  if (deflateInit2(&z, Z_DEFAULT_COMPRESSION, Z_DEFLATED, kGzipWindow, kMemLevel,
                   Z_DEFAULT_STRATEGY) != Z_OK)
    throw std::runtime_error("deflateInit2");
  std::string out(deflateBound(&z, data.size()) + kSlack, '\0');
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
  z.avail_in = static_cast<uInt>(data.size());
  z.next_out = reinterpret_cast<Bytef*>(&out[0]);
  z.avail_out = static_cast<uInt>(out.size());
  int rc = deflate(&z, Z_FINISH);
  out.resize(z.total_out);
  deflateEnd(&z);
  if (rc != Z_STREAM_END) throw std::runtime_error("deflate");
  return out;
}

std::string bzip2(const std::string& data) {
  unsigned size = static_cast<unsigned>(data.size() + data.size() / 100 + kSlack);
  std::string out(size, '\0');
  if (BZ2_bzBuffToBuffCompress(&out[0], &size, const_cast<char*>(data.data()),
                               static_cast<unsigned>(data.size()), kBzip2SmallBlocks, 0,
                               kBzip2Work) != BZ_OK)
    throw std::runtime_error("BZ2_bzBuffToBuffCompress");
  out.resize(size);
  return out;
}

std::string xz(const std::string& data) {
  std::string out(lzma_stream_buffer_bound(data.size()), '\0');
  size_t at = 0;
  if (lzma_easy_buffer_encode(kXzPreset, LZMA_CHECK_CRC64, nullptr,
                              reinterpret_cast<const uint8_t*>(data.data()), data.size(),
                              reinterpret_cast<uint8_t*>(&out[0]), &at, out.size()) != LZMA_OK)
    throw std::runtime_error("lzma_easy_buffer_encode");
  out.resize(at);
  return out;
}

}  // namespace

std::string pack(Packing how, const std::string& data) {
  switch (how) {
    case Packing::kGzip: return gzip(data);
    case Packing::kBzip2: return bzip2(data);
    default: return xz(data);
  }
}

const char* suffix(Packing how) {
  switch (how) {
    case Packing::kGzip: return ".gz";
    case Packing::kBzip2: return ".bz2";
    default: return ".xz";
  }
}

const char* packing_name(Packing how) {
  switch (how) {
    case Packing::kGzip: return "gzip";
    case Packing::kBzip2: return "bzip2";
    default: return "xz";
  }
}
