// The output block of a sink and the sinks of the library.
#include "outputs/sink.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace catsieve {

namespace {

constexpr size_t kBlock = 256 * 1024;
// Runs of selected records still in the input's buffer, in order after the
// bytes of the block.  They go out uncopied, gathered into one write,
// unless they are too few bytes to be worth a write of their own.
constexpr int kSpans = 128;
constexpr size_t kDirect = 64 * 1024;

}  // namespace

Sink::Sink() : block_(new char[kBlock]), spans_(new iovec[kSpans + 1]) {}

Sink::~Sink() = default;

void Sink::put(iovec* v, int count) {
  if (!failed_ && !deliver(v, count)) failed_ = true;
}

void Sink::write_block() {
  iovec v = {block_.get(), used_};
  if (used_) put(&v, 1);
  used_ = 0;
}

void Sink::copy_out(const char* p, size_t n) {
  if (used_ + n > kBlock) {
    write_block();
    if (n > kBlock) {
      iovec v = {const_cast<char*>(p), n};
      put(&v, 1);
      return;
    }
  }
  std::memcpy(block_.get() + used_, p, n);
  used_ += n;
}

// Writes the runs listed so far, behind the bytes of the block; a few short
// runs are copied into the block instead.
void Sink::write_spans() {
  if (nspans_ == 0) return;
  if (span_bytes_ >= kDirect) {
    spans_[0] = iovec{block_.get(), used_};
    put(spans_.get(), nspans_ + 1);
    used_ = 0;
  } else {
    for (int i = 1; i <= nspans_; ++i)
      copy_out(static_cast<const char*>(spans_[i].iov_base), spans_[i].iov_len);
  }
  nspans_ = 0;
  span_bytes_ = 0;
}

// Moves the current run into the list of runs.
void Sink::close_run() {
  if (run_begin_ == run_end_) return;
  if (nspans_ == kSpans) write_spans();
  size_t n = static_cast<size_t>(run_end_ - run_begin_);
  spans_[++nspans_] = iovec{const_cast<char*>(run_begin_), n};
  span_bytes_ += n;
  run_begin_ = run_end_ = nullptr;
}

void Sink::new_span(const char* p, size_t n) {
  close_run();
  run_begin_ = p;
  run_end_ = p + n;
}

void Sink::settle() {
  close_run();
  write_spans();
}

void Sink::text(const char* p, size_t n) {
  settle();
  copy_out(p, n);
}

bool Sink::flush() {
  settle();
  write_block();
  return !failed_;
}

FdSink::~FdSink() = default;

bool FdSink::deliver(iovec* v, int count) {
  while (count > 0) {
    ssize_t put = ::writev(fd_, v, count);
    if (put < 0) {
      if (errno == EINTR) continue;
      error_ = errno;
      return false;
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
  return true;
}

util::Status FdSink::failure() const {
  if (error_ == EPIPE) return util::Status{1, false, ""};
  return util::named_failure(1, "write error on %s: %s\n", what_, std::strerror(error_));
}

MemorySink::~MemorySink() = default;

bool MemorySink::deliver(iovec* v, int count) {
  for (int i = 0; i < count; ++i)
    bytes_.append(static_cast<const char*>(v[i].iov_base), v[i].iov_len);
  return true;
}

CallbackSink::~CallbackSink() = default;

bool CallbackSink::deliver(iovec* v, int count) {
  for (int i = 0; i < count; ++i)
    if (v[i].iov_len && !write_(static_cast<const char*>(v[i].iov_base), v[i].iov_len))
      return false;
  return true;
}

}  // namespace catsieve
