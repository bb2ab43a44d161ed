// Answer bodies compressed as gzip, in pieces or whole.
#ifndef SERVICE_GZIP_BODY_H
#define SERVICE_GZIP_BODY_H

#include <zlib.h>

#include <string>

namespace catsieve {

class GzipBody {
 public:
  GzipBody();
  ~GzipBody();
  GzipBody(const GzipBody&) = delete;
  GzipBody& operator=(const GzipBody&) = delete;
  // The compressed bytes of the next piece; with last, the stream's end.
  std::string add(const std::string& piece, bool last);

 private:
  z_stream z_{};
};

std::string gzip_whole(const std::string& body);

// Whether an Accept-Encoding header value takes gzip.
bool accepts_gzip(const char* accept_encoding);

}  // namespace catsieve

#endif
