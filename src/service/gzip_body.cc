// gzip through zlib.
#include "service/gzip_body.h"

#include <cstring>

namespace catsieve {

namespace {

constexpr int kGzipWindow = 15 + 16;  // zlib's window bits, gzip wrapping
constexpr int kMemLevel = 8;
constexpr size_t kOutStep = 64 * 1024;

}  // namespace

GzipBody::GzipBody() {
  deflateInit2(&z_, Z_DEFAULT_COMPRESSION, Z_DEFLATED, kGzipWindow, kMemLevel, Z_DEFAULT_STRATEGY);
}

GzipBody::~GzipBody() { deflateEnd(&z_); }

std::string GzipBody::add(const std::string& piece, bool last) {
  std::string out;
  z_.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(piece.data()));
  z_.avail_in = static_cast<uInt>(piece.size());
  int flush = last ? Z_FINISH : Z_NO_FLUSH;
  for (;;) {
    size_t had = out.size();
    out.resize(had + kOutStep);
    z_.next_out = reinterpret_cast<Bytef*>(&out[had]);
    z_.avail_out = static_cast<uInt>(kOutStep);
    int rc = deflate(&z_, flush);
    out.resize(had + kOutStep - z_.avail_out);
    if (rc == Z_STREAM_END || rc == Z_STREAM_ERROR) break;
    if (z_.avail_in == 0 && z_.avail_out != 0) break;
  }
  return out;
}

std::string gzip_whole(const std::string& body) {
  GzipBody z;
  return z.add(body, true);
}

bool accepts_gzip(const char* accept_encoding) {
  if (!accept_encoding) return false;
  const char* p = std::strstr(accept_encoding, "gzip");
  if (!p) return false;
  // "gzip;q=0" refuses it.
  const char* q = std::strstr(p, ";q=0");
  return !(q && q == p + 4 && (q[4] == '\0' || q[4] == ',' || (q[4] == '.' && q[5] == '0')));
}

}  // namespace catsieve
