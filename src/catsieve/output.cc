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

// Records still in the input's buffer, written or copied out only when the
// next record does not follow them there or the buffer is about to change.
constexpr size_t kDirect = 64 * 1024;
const char* span_p = nullptr;
size_t span_n = 0;

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
  out_settle();
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

void out_span(const char* p, size_t n) {
  if (span_n && span_p + span_n == p) {
    span_n += n;
    return;
  }
  out_settle();
  span_p = p;
  span_n = n;
}

void out_settle() {
  if (!span_n) return;
  const char* p = span_p;
  size_t n = span_n;
  span_n = 0;
  if (n >= kDirect) {
    // A long run of selected records goes out straight from the input.
    write_all(outbuf, outlen);
    outlen = 0;
    write_all(p, n);
  } else {
    out_write(p, n);
  }
}

void out_flush() {
  out_settle();
  write_all(outbuf, outlen);
  outlen = 0;
}

}  // namespace catsieve
