// The reading thread: it waits for a read to do, does it (again after an
// interruption), and hands the result back.
#include "inputs/read_ahead.h"

#include <cerrno>
#include <system_error>

#include "inputs/decompress.h"

namespace catsieve {

namespace {

constexpr int kSpins = 2000;

void reader_loop(AheadReader* r) {
  for (;;) {
    // The next read is asked for soon after one is done while an input is
    // read: it is looked for a while before the thread sleeps.
    for (int i = 0; i < kSpins && !r->asked_flag.load(std::memory_order_acquire); ++i)
      std::this_thread::yield();
    std::unique_lock<std::mutex> lock(r->m);
    r->asked.wait(lock, [r] { return r->s != nullptr || r->quit; });
    if (!r->s) return;
    Stream* s = r->s;
    char* dst = r->dst;
    size_t n = r->n;
    lock.unlock();
    ssize_t got;
    do {
      got = read_text(*s, dst, n);
    } while (got < 0 && errno == EINTR);
    ReadResult result{got, got < 0 ? errno : 0};
    lock.lock();
    r->s = nullptr;
    r->asked_flag.store(false, std::memory_order_relaxed);
    r->result = result;
    r->done = true;
    r->done_flag.store(true, std::memory_order_release);
    r->answered.notify_one();
  }
}

}  // namespace

AheadReader::~AheadReader() {
  if (!thread.joinable()) return;
  {
    std::lock_guard<std::mutex> lock(m);
    quit = true;
  }
  asked.notify_one();
  thread.join();
}

bool ahead_start(AheadReader& r, Stream& s, char* dst, size_t n) {
  std::lock_guard<std::mutex> lock(r.m);
  if (!r.thread.joinable()) {
    // Without a thread (the system has none to give) inputs are read as
    // their blocks are needed.
    try {
      r.thread = std::thread(reader_loop, &r);
    } catch (const std::system_error&) {
      return false;
    }
  }
  r.s = &s;
  r.dst = dst;
  r.n = n;
  r.done = false;
  r.done_flag.store(false, std::memory_order_relaxed);
  r.asked_flag.store(true, std::memory_order_release);
  r.asked.notify_one();
  return true;
}

ReadResult ahead_wait(AheadReader& r) {
  // A read that is nearly done is waited for without sleeping.
  for (int i = 0; i < kSpins && !r.done_flag.load(std::memory_order_acquire); ++i)
    std::this_thread::yield();
  std::unique_lock<std::mutex> lock(r.m);
  r.answered.wait(lock, [&r] { return r.done; });
  r.done = false;
  return r.result;
}

}  // namespace catsieve
