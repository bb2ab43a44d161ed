// Reading the next block of an input while the records of the block before
// are searched: one thread of the run reads (and decompresses) ahead, so
// that the time of reading and the time of searching overlap.
#ifndef CATSIEVE_READ_AHEAD_H
#define CATSIEVE_READ_AHEAD_H

#include <sys/types.h>

#include <cstddef>

#include "catsieve/stream.h"

namespace catsieve {

// What a read gave: bytes, or -1 with the errno of the failure.
struct ReadResult {
  ssize_t got;
  int error;
};

// Starts reading up to n bytes of the stream's text into dst on the reading
// thread.  One read is ahead at a time; the stream is not read otherwise
// until ahead_wait.  False, and nothing started, when no thread can be had.
bool ahead_start(Stream& s, char* dst, size_t n);
// Waits for the read started last and gives its result.
ReadResult ahead_wait();

}  // namespace catsieve

#endif
