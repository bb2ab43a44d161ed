// Standard output, buffered in large blocks.  A failed write is reported
// once and ends the run; a reader that went away (a closed pipe) ends it
// quietly, as other filters do.
#include "catsieve/output.h"

#include <sys/uio.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "util/qerror.h"

namespace catsieve {

OutRun out_run = {nullptr, nullptr};

namespace {

constexpr size_t kOutBlock = 256 * 1024;
char outbuf[kOutBlock];
size_t outlen = 0;

// Runs of selected records still in the input's buffer, in order after the
// bytes of outbuf.  They go out uncopied, gathered into one write, unless
// they are too few bytes to be worth a write of their own.
constexpr int kSpans = 128;
constexpr size_t kDirect = 64 * 1024;
iovec spans[kSpans + 1];  // entry 0 is kept for outbuf
int nspans = 0;
size_t span_bytes = 0;

[[noreturn]] void write_failed() {
  if (errno == EPIPE) _exit(1);
  std::fprintf(stderr, "%s: write error on standard output: %s\n",
               util::progname ? util::progname : "catsieve", std::strerror(errno));
  _exit(1);
}

// Writes all of the pieces, however many writes that takes.
void write_all(iovec* v, int count) {
  while (count > 0) {
    ssize_t put = ::writev(STDOUT_FILENO, v, count);
    if (put < 0) {
      if (errno == EINTR) continue;
      write_failed();
    }
    size_t done = static_cast<size_t>(put);
    while (count > 0 && done >= v->iov_len) {
      done -= v->iov_len;
      ++v;
      --count;
    }
    if (count > 0) {
      v->iov_base = static_cast<char*>(v->iov_base) + done;
      v->iov_len -= done;
    }
  }
}

void write_outbuf() {
  iovec v = {outbuf, outlen};
  write_all(&v, 1);
  outlen = 0;
}

void copy_out(const char* p, size_t n) {
  if (outlen + n > kOutBlock) {
    write_outbuf();
    if (n > kOutBlock) {
      iovec v = {const_cast<char*>(p), n};
      write_all(&v, 1);
      return;
    }
  }
  std::memcpy(outbuf + outlen, p, n);
  outlen += n;
}

// Writes the runs listed so far, behind the bytes of outbuf; a few short
// runs are copied into outbuf instead.
void write_spans() {
  if (nspans == 0) return;
  if (span_bytes >= kDirect) {
    spans[0] = iovec{outbuf, outlen};
    write_all(spans, nspans + 1);
    outlen = 0;
  } else {
    for (int i = 1; i <= nspans; ++i)
      copy_out(static_cast<const char*>(spans[i].iov_base), spans[i].iov_len);
  }
  nspans = 0;
  span_bytes = 0;
}

// Moves the current run into the list of runs.
void close_run() {
  if (out_run.begin == out_run.end) return;
  if (nspans == kSpans) write_spans();
  size_t n = static_cast<size_t>(out_run.end - out_run.begin);
  spans[++nspans] = iovec{const_cast<char*>(out_run.begin), n};
  span_bytes += n;
  out_run = OutRun{nullptr, nullptr};
}

}  // namespace

void out_new_span(const char* p, size_t n) {
  close_run();
  out_run = OutRun{p, p + n};
}

void out_settle() {
  close_run();
  write_spans();
}

void out_text(const char* p, size_t n) {
  out_settle();
  copy_out(p, n);
}

void out_flush() {
  out_settle();
  write_outbuf();
}

}  // namespace catsieve
