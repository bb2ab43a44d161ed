// The search of an event service request on a thread of its own, its
// document handed over in pieces through a small bounded queue, so that a
// client reads it while it is made, at constant memory.  The searches of
// several catalogs write one document: one after the other in catalog
// order, the window of offset and limit moving on over them; or, for a
// sorting order, their selections held and merged.
#ifndef SERVICE_SEARCH_STREAM_H
#define SERVICE_SEARCH_STREAM_H

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "engine/search.h"
#include "service/worker_pool.h"

namespace catsieve {

class SearchStream {
 public:
  // Told once the search has ended: its status, its messages (each
  // catalog's after a line naming it) and the name of the catalog that
  // failed, if one did.
  using Finished = std::function<void(const util::Status& status, const std::string& messages,
                                      const std::string& failed)>;
  // One search of a catalog, and the catalog's name.
  struct Part {
    std::string name;
    Request request;
  };
  // The searches of one query, in order, their requests alike but for
  // their format and inputs, run by a thread of the pool.
  SearchStream(Query q, std::vector<Part> parts, Finished finished, WorkerPool& pool);
  // Cancels the search and waits for it to end.
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
  // Once the search has ended: the catalog whose search failed, or empty.
  const std::string& failed() const { return failed_; }

 private:
  void run();
  util::Status run_joined();
  util::Status run_sorted();
  util::Status run_one(size_t i, const CallbackSink::Write& write, bool last, SearchTally* tally);
  // The messages of part i so far, into the log's text.
  void keep_messages(size_t i, const StringMessages& m);
  bool put(const char* p, size_t n);

  Query query_;
  std::vector<Part> parts_;
  std::string messages_;
  std::string failed_;  // the catalog whose search failed
  Finished finished_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<std::string> pieces_;
  size_t queued_ = 0;      // bytes in pieces_
  bool searched_ = false;  // the search has returned; only its last flush is left
  bool ended_ = false;
  bool cancelled_ = false;
  bool returned_ = false;  // the job is over, finished_ told
  util::Status status_;
};

// The document a form writes for no event.
std::string empty_document(const Form& form, const FormSettings& settings);

}  // namespace catsieve

#endif
