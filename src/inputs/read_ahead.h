// Reading the next block of an input while the records of the block before
// are searched: a thread of the run reads (and decompresses) ahead, so that
// the time of reading and the time of searching overlap.
#ifndef INPUTS_READ_AHEAD_H
#define INPUTS_READ_AHEAD_H

#include <sys/types.h>

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <thread>

#include "inputs/stream.h"

namespace catsieve {

// What a read gave: bytes, or -1 with the errno of the failure.
struct ReadResult {
  ssize_t got;
  int error;
};

// The reading thread of one run, started with the first read ahead and
// ended with the run.
struct AheadReader {
  std::mutex m;
  std::condition_variable asked, answered;
  std::thread thread;
  bool quit = false;  // under m: the thread is to end
  // Under m: the read to do, and its result once done.
  Stream* s = nullptr;
  char* dst = nullptr;
  size_t n = 0;
  bool done = false;
  ReadResult result{0, 0};
  std::atomic<bool> done_flag{false};   // done, for a look without the lock
  std::atomic<bool> asked_flag{false};  // a read is asked for, likewise

  ~AheadReader();
};

// Starts reading up to n bytes of the stream's text into dst on the reading
// thread.  One read is ahead at a time; the stream is not read otherwise
// until ahead_wait.  False, and nothing started, when no thread can be had.
bool ahead_start(AheadReader& r, Stream& s, char* dst, size_t n);
// Waits for the read started last and gives its result.
ReadResult ahead_wait(AheadReader& r);

}  // namespace catsieve

#endif
