// The reading thread: it waits for a read to do, does it (again after an
// interruption), and hands the result back.
#include "catsieve/read_ahead.h"

#include <atomic>
#include <cerrno>
#include <condition_variable>
#include <mutex>
#include <system_error>
#include <thread>

#include "catsieve/decompress.h"

namespace catsieve {

namespace {

struct Reader {
  std::mutex m;
  std::condition_variable asked, answered;
  bool started = false;
  // Under m: the read to do, and its result once done.
  Stream* s = nullptr;
  char* dst = nullptr;
  size_t n = 0;
  bool done = false;
  ReadResult result{0, 0};
  std::atomic<bool> done_flag{false};   // done, for a look without the lock
  std::atomic<bool> asked_flag{false};  // a read is asked for, likewise
};

constexpr int kSpins = 2000;

// Never destroyed: the thread may still wait on it when the process ends.
Reader& reader() {
  static Reader* r = new Reader;
  return *r;
}

void reader_loop(Reader* r) {
  for (;;) {
    // The next read is asked for soon after one is done while an input is
    // read: it is looked for a while before the thread sleeps.
    for (int i = 0; i < kSpins && !r->asked_flag.load(std::memory_order_acquire); ++i)
      std::this_thread::yield();
    std::unique_lock<std::mutex> lock(r->m);
    r->asked.wait(lock, [r] { return r->s != nullptr; });
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

bool ahead_start(Stream& s, char* dst, size_t n) {
  Reader& r = reader();
  std::lock_guard<std::mutex> lock(r.m);
  if (!r.started) {
    // Without a thread (the system has none to give) inputs are read as
    // their blocks are needed.
    try {
      std::thread(reader_loop, &r).detach();
    } catch (const std::system_error&) {
      return false;
    }
    r.started = true;
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

ReadResult ahead_wait() {
  Reader& r = reader();
  // A read that is nearly done is waited for without sleeping.
  for (int i = 0; i < kSpins && !r.done_flag.load(std::memory_order_acquire); ++i)
    std::this_thread::yield();
  std::unique_lock<std::mutex> lock(r.m);
  r.answered.wait(lock, [&r] { return r.done; });
  r.done = false;
  return r.result;
}

}  // namespace catsieve
