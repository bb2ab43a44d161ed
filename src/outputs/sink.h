// Where a search's output goes.  The sink buffers it in large blocks: runs
// of selected records still in an input's buffer are gathered uncopied and
// written in one piece; other text is copied into the block.  What the
// bytes finally go to (a file descriptor, memory, a callback) is the
// caller's choice of sink.
#ifndef OUTPUTS_SINK_H
#define OUTPUTS_SINK_H

#include <sys/uio.h>

#include <cstddef>
#include <functional>
#include <memory>
#include <string>

#include "util/status.h"

namespace catsieve {

class Sink {
 public:
  Sink();
  virtual ~Sink();
  Sink(const Sink&) = delete;
  Sink& operator=(const Sink&) = delete;

  // Bytes of an input's buffer, which must stay as they are until settle:
  // consecutive records then go out in one piece, uncopied.
  void span(const char* p, size_t n) {
    if (p == run_end_) {
      run_end_ += n;
      return;
    }
    new_span(p, n);
  }
  // Writes (or copies) the spans: the input's buffer may change after.
  void settle();
  // Bytes that the caller may reuse at once: they are copied.
  void text(const char* p, size_t n);
  // Everything buffered written out; false when a write has failed.
  bool flush();
  // Whether a write has failed: nothing more is written then.
  bool failed() const { return failed_; }
  // How the failed write failed: its message and exit status.
  virtual util::Status failure() const = 0;

 protected:
  // Writes all of the pieces, however many writes that takes; false when
  // they cannot be written.
  virtual bool deliver(iovec* v, int count) = 0;

 private:
  void new_span(const char* p, size_t n);
  void close_run();
  void write_spans();
  void copy_out(const char* p, size_t n);
  void write_block();
  void put(iovec* v, int count);

  std::unique_ptr<char[]> block_;
  size_t used_ = 0;
  // The run of records that the next one may lengthen.
  const char* run_begin_ = nullptr;
  const char* run_end_ = nullptr;
  std::unique_ptr<iovec[]> spans_;  // entry 0 is kept for the block
  int nspans_ = 0;
  size_t span_bytes_ = 0;
  bool failed_ = false;
};

// To a file descriptor, named what in the message of a failed write.  A
// reader that went away (a closed pipe) ends the output quietly, as other
// filters do.
class FdSink : public Sink {
 public:
  explicit FdSink(int fd, const char* what = "standard output") : fd_(fd), what_(what) {}
  ~FdSink() override;
  util::Status failure() const override;

 protected:
  bool deliver(iovec* v, int count) override;

 private:
  int fd_;
  const char* what_;
  int error_ = 0;
};

// Into memory.
class MemorySink : public Sink {
 public:
  ~MemorySink() override;
  const std::string& bytes() const { return bytes_; }
  util::Status failure() const override { return util::Status{}; }

 protected:
  bool deliver(iovec* v, int count) override;

 private:
  std::string bytes_;
};

// To a function, piece by piece; its false ends the output, with the
// status it was made with.
class CallbackSink : public Sink {
 public:
  using Write = std::function<bool(const char* p, size_t n)>;
  CallbackSink(Write write, util::Status on_failure)
      : write_(std::move(write)), on_failure_(std::move(on_failure)) {}
  ~CallbackSink() override;
  util::Status failure() const override { return on_failure_; }

 protected:
  bool deliver(iovec* v, int count) override;

 private:
  Write write_;
  util::Status on_failure_;
};

}  // namespace catsieve

#endif
