// A search on its own thread, its output through a bounded queue.
#include "service/search_stream.h"

#include <algorithm>
#include <utility>

#include "engine/merged_order.h"

namespace catsieve {

namespace {

// The bytes the queue holds before the search waits for the reader.
constexpr size_t kQueueBytes = 512 * 1024;
constexpr char kProgram[] = "catsieve-fdsnws";

util::Status cancelled() { return util::Status{1, false, "cancelled\n"}; }

// The window of the next search, after one whose records reached the
// window: the offset moves back by those skipped, and the limit shrinks by
// those that went out; false when the limit is out.
bool move_window(OrderSettings* o, long long reached) {
  long long skipped = std::min(reached, o->offset - 1);
  long long written = reached - skipped;
  o->offset -= skipped;
  if (!o->limit) return true;
  o->limit -= std::min(written, o->limit);
  return o->limit > 0;
}

}  // namespace

SearchStream::SearchStream(Query q, std::vector<Part> parts, Finished finished, WorkerPool& pool)
    : query_(std::move(q)), parts_(std::move(parts)), finished_(std::move(finished)) {
  pool.run([this] { run(); });
}

SearchStream::~SearchStream() {
  cancel();
  std::unique_lock<std::mutex> lock(mutex_);
  changed_.wait(lock, [this] { return returned_; });
}

void SearchStream::run() {
  util::Status status;
  bool gone;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    gone = cancelled_;
  }
  // A request that went away before its turn came is not searched.
  if (gone)
    status = cancelled();
  else if (parts_.size() == 1)
    status = run_one(
        0, [this](const char* p, size_t n) { return put(p, n); }, true, nullptr);
  else
    status = sorts(parts_.front().request.order) ? run_sorted() : run_joined();
  {
    std::lock_guard<std::mutex> lock(mutex_);
    status_ = status;
    ended_ = true;
  }
  changed_.notify_all();
  finished_(status, messages_, failed_);
  std::lock_guard<std::mutex> lock(mutex_);
  returned_ = true;
  // Notified under the lock: the stream may be gone once it is let go.
  changed_.notify_all();
}

void SearchStream::keep_messages(size_t i, const StringMessages& m) {
  if (!m.text().empty()) messages_ += "catalog " + parts_[i].name + ":\n" + m.text();
}

util::Status SearchStream::run_one(size_t i, const CallbackSink::Write& write, bool last,
                                   SearchTally* tally) {
  CallbackSink sink(write, util::Status{1, false, "the client went away\n"});
  StringMessages messages(kProgram);
  util::Status status = search(query_, parts_[i].request, sink, messages, tally);
  keep_messages(i, messages);
  if (last) {
    std::lock_guard<std::mutex> lock(mutex_);
    searched_ = true;
  }
  if (!sink.failed()) sink.flush();
  if (status.ok() && sink.failed()) status = sink.failure();
  if (!status.ok() && !sink.failed()) failed_ = parts_[i].name;
  return status;
}

util::Status SearchStream::run_joined() {
  const Request& first = parts_.front().request;
  const Form& form = *first.form;
  // The document opens before the first event, so that an answer without
  // any is told by its status alone.
  MemorySink opening;
  if (form.begin) form.begin(opening, first.settings);
  opening.flush();
  const std::string& begin = opening.bytes();
  bool begun = false;
  auto write = [&](const char* p, size_t n) {
    if (!begun && !put(begin.data(), begin.size())) return false;
    begun = true;
    return put(p, n);
  };
  OrderSettings window = first.order;
  long long written = 0;
  util::Status status;
  for (size_t i = 0; i < parts_.size() && status.ok(); ++i) {
    Request& r = parts_[i].request;
    r.order = window;
    r.events_only = true;
    r.events_before = written;
    SearchTally tally;
    status = run_one(i, write, i + 1 == parts_.size(), &tally);
    written += tally.written;
    // The next catalog's window follows on from this one's.
    if (!move_window(&window, tally.reached)) break;
  }
  if (!status.ok()) return status;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    searched_ = true;
  }
  MemorySink closing;
  if (form.end) form.end(closing, written, first.settings);
  closing.flush();
  if (!begun && !put(begin.data(), begin.size())) return cancelled();
  if (!put(closing.bytes().data(), closing.bytes().size())) return cancelled();
  return status;
}

util::Status SearchStream::run_sorted() {
  std::vector<HeldSelection> held(parts_.size());
  const OrderSettings& order = parts_.front().request.order;
  for (size_t i = 0; i < parts_.size(); ++i) {
    Request& r = parts_[i].request;
    // Without a limit, all the catalogs together hold no more than the cap.
    if (!order.limit) r.order.max_events = std::max(0LL, order.max_events - held_count(held));
    StringMessages messages(kProgram);
    util::Status status = search_held(query_, r, messages, &held[i]);
    keep_messages(i, messages);
    if (!status.ok()) {
      failed_ = parts_[i].name;
      return status;
    }
    trim_held(held, order);
    std::lock_guard<std::mutex> lock(mutex_);
    if (cancelled_) return cancelled();
  }
  CallbackSink sink([this](const char* p, size_t n) { return put(p, n); },
                    util::Status{1, false, "the client went away\n"});
  util::Status status = write_merged(held, parts_.front().request, sink);
  {
    std::lock_guard<std::mutex> lock(mutex_);
    searched_ = true;
  }
  if (!sink.failed()) sink.flush();
  if (status.ok() && sink.failed()) status = sink.failure();
  return status;
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
