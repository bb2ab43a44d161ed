// A search on its own thread, its output through a bounded queue.
#include "service/search_stream.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace catsieve {

namespace {

// The bytes the queue holds before the search waits for the reader.
constexpr size_t kQueueBytes = 512 * 1024;

}  // namespace

SearchStream::SearchStream(Query q, std::vector<Request> requests, Finished finished)
    : query_(std::move(q)), requests_(std::move(requests)), finished_(std::move(finished)) {
  thread_ = std::thread([this] { run(); });
}

SearchStream::~SearchStream() {
  cancel();
  thread_.join();
}

void SearchStream::run() {
  StringMessages messages("catsieve-fdsnws");
  util::Status status =
      requests_.size() == 1
          ? run_one(
                requests_.front(), [this](const char* p, size_t n) { return put(p, n); }, true,
                messages)
          : run_merged(messages);
  {
    std::lock_guard<std::mutex> lock(mutex_);
    status_ = status;
    ended_ = true;
  }
  changed_.notify_all();
  finished_(status, messages.text());
}

util::Status SearchStream::run_one(const Request& r, const CallbackSink::Write& write, bool last,
                                   MessageSink& messages) {
  CallbackSink sink(write, util::Status{1, false, "the client went away\n"});
  util::Status status = search(query_, r, sink, messages);
  if (last) {
    std::lock_guard<std::mutex> lock(mutex_);
    searched_ = true;
  }
  if (!sink.failed()) sink.flush();
  if (status.ok() && sink.failed()) status = sink.failure();
  return status;
}

util::Status SearchStream::run_merged(MessageSink& messages) {
  const Form& form = *requests_.front().form;
  const FormSettings& settings = requests_.front().settings;
  MemorySink opening, closing;
  if (form.begin) form.begin(opening, settings);
  if (form.end) form.end(closing, 0, settings);
  opening.flush();
  closing.flush();
  const std::string& begin = opening.bytes();
  const std::string& end = closing.bytes();
  // GeoJSON's features are separated by commas, which a search writes
  // only between its own.
  const std::string joiner = std::strcmp(form.name, "geojson") == 0 ? ",\n" : "";
  bool begun = false;
  util::Status status;
  for (size_t i = 0; i < requests_.size() && status.ok(); ++i) {
    // Of each search's document, its opening is dropped and its closing
    // held back: what lies between is its events.
    size_t skip = begin.size();
    std::string held;
    bool first = true;
    auto write = [&](const char* p, size_t n) {
      size_t drop = std::min(skip, n);
      skip -= drop;
      held.append(p + drop, n - drop);
      if (held.size() <= end.size()) return true;
      size_t events = held.size() - end.size();
      bool ok =
          begun ? (!first || put(joiner.data(), joiner.size())) : put(begin.data(), begin.size());
      begun = true;
      first = false;
      ok = ok && put(held.data(), events);
      held.erase(0, events);
      return ok;
    };
    status = run_one(requests_[i], write, i + 1 == requests_.size(), messages);
  }
  if (!status.ok()) return status;
  if (!begun && !put(begin.data(), begin.size())) return util::Status{1, false, "cancelled\n"};
  if (!put(end.data(), end.size())) return util::Status{1, false, "cancelled\n"};
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
