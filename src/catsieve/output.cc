// Standard output, buffered in large blocks.  A failed write is reported
// once and ends the run; a reader that went away (a closed pipe) ends it
// quietly, as other filters do.
#include "catsieve/output.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "util/qerror.h"

namespace catsieve {

namespace {

constexpr size_t kOutBlock = 256 * 1024;
char outbuf[kOutBlock];
size_t outlen = 0;

void write_all(const char* p, size_t n) {
  while (n > 0) {
    ssize_t put = ::write(STDOUT_FILENO, p, n);
    if (put < 0) {
      if (errno == EINTR) continue;
      if (errno == EPIPE) _exit(1);
      std::fprintf(stderr, "%s: write error on standard output: %s\n",
                   util::progname ? util::progname : "catsieve", std::strerror(errno));
      _exit(1);
    }
    p += put;
    n -= static_cast<size_t>(put);
  }
}

}  // namespace

void out_write(const char* p, size_t n) {
  if (outlen + n > kOutBlock) {
    write_all(outbuf, outlen);
    outlen = 0;
    if (n > kOutBlock) {
      write_all(p, n);
      return;
    }
  }
  std::memcpy(outbuf + outlen, p, n);
  outlen += n;
}

void out_flush() {
  write_all(outbuf, outlen);
  outlen = 0;
}

}  // namespace catsieve
