// The search of an event service request on a thread of its own, its
// document handed over in pieces through a small bounded queue, so that a
// client reads it while it is made, at constant memory.  Searches of
// several catalogs, one after the other, write one document.
#ifndef SERVICE_SEARCH_STREAM_H
#define SERVICE_SEARCH_STREAM_H

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "engine/search.h"

namespace catsieve {

class SearchStream {
 public:
  // Told once the search has ended: its status and its messages.
  using Finished = std::function<void(const util::Status& status, const std::string& messages)>;
  // The searches of one query, in order; of several, each writes only its
  // events into the document.
  SearchStream(Query q, std::vector<Request> requests, Finished finished);
  // Cancels the search and waits for its thread.
  ~SearchStream();
  SearchStream(const SearchStream&) = delete;
  SearchStream& operator=(const SearchStream&) = delete;

  // Waits until the search has written part of its document, or has
  // ended; true when it has ended, its whole document then in *all.
  bool wait_start(std::string* all, util::Status* status);
  // The next piece of the document; false at its end, with the search's
  // status.
  bool next(std::string* piece, util::Status* status);
  // Ends the search's output: its sink's writes fail from now on.
  void cancel();

 private:
  void run();
  util::Status run_merged(MessageSink& messages);
  util::Status run_one(const Request& r, const CallbackSink::Write& write, bool last,
                       MessageSink& messages);
  bool put(const char* p, size_t n);

  Query query_;
  std::vector<Request> requests_;
  Finished finished_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<std::string> pieces_;
  size_t queued_ = 0;      // bytes in pieces_
  bool searched_ = false;  // the search has returned; only its last flush is left
  bool ended_ = false;
  bool cancelled_ = false;
  util::Status status_;
  std::thread thread_;
};

// The document a form writes for no event.
std::string empty_document(const Form& form, const FormSettings& settings);

}  // namespace catsieve

#endif
