// A search on its own thread, its output through a bounded queue.
#include "service/search_stream.h"

#include <utility>

namespace catsieve {

namespace {

// The bytes the queue holds before the search waits for the reader.
constexpr size_t kQueueBytes = 512 * 1024;

}  // namespace

SearchStream::SearchStream(Query q, Request r, Finished finished)
    : query_(std::move(q)), request_(std::move(r)), finished_(std::move(finished)) {
  thread_ = std::thread([this] { run(); });
}

SearchStream::~SearchStream() {
  cancel();
  thread_.join();
}

void SearchStream::run() {
  CallbackSink sink([this](const char* p, size_t n) { return put(p, n); },
                    util::Status{1, false, "the client went away\n"});
  StringMessages messages("catsieve-fdsnws");
  util::Status status = search(query_, request_, sink, messages);
  {
    std::lock_guard<std::mutex> lock(mutex_);
    searched_ = true;
  }
  if (!sink.failed()) sink.flush();
  if (status.ok() && sink.failed()) status = sink.failure();
  {
    std::lock_guard<std::mutex> lock(mutex_);
    status_ = status;
    ended_ = true;
  }
  changed_.notify_all();
  finished_(status, messages.text());
}

bool SearchStream::put(const char* p, size_t n) {
  std::unique_lock<std::mutex> lock(mutex_);
  // The last flush goes into the queue whole: the answer's status waits
  // for it when the search wrote nothing before.
  changed_.wait(lock, [this] { return cancelled_ || searched_ || queued_ < kQueueBytes; });
  if (cancelled_) return false;
  pieces_.emplace_back(p, n);
  queued_ += n;
  lock.unlock();
  changed_.notify_all();
  return true;
}

bool SearchStream::wait_start(std::string* all, util::Status* status) {
  std::unique_lock<std::mutex> lock(mutex_);
  changed_.wait(lock, [this] { return ended_ || (!pieces_.empty() && !searched_); });
  if (!ended_) return false;
  all->clear();
  for (const std::string& piece : pieces_) *all += piece;
  pieces_.clear();
  queued_ = 0;
  *status = status_;
  return true;
}

bool SearchStream::next(std::string* piece, util::Status* status) {
  std::unique_lock<std::mutex> lock(mutex_);
  changed_.wait(lock, [this] { return ended_ || cancelled_ || !pieces_.empty(); });
  if (pieces_.empty()) {
    *status = ended_ ? status_ : util::Status{1, false, "cancelled\n"};
    return false;
  }
  *piece = std::move(pieces_.front());
  pieces_.pop_front();
  queued_ -= piece->size();
  lock.unlock();
  changed_.notify_all();
  return true;
}

void SearchStream::cancel() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    cancelled_ = true;
  }
  changed_.notify_all();
}

std::string empty_document(const Form& form, const FormSettings& settings) {
  MemorySink out;
  if (form.begin) form.begin(out, settings);
  if (form.end) form.end(out, 0, settings);
  out.flush();
  return out.bytes();
}

}  // namespace catsieve
