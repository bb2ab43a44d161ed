// Batches of records to format.  Two batches take turns: while one is
// filled with the records the cycle selects, the other, filled before, is
// formatted by the helper thread; once the new one is full, this thread
// helps with what is left of the older one, puts its text out and hands
// the new one over.  A batch is formatted in chunks that either thread
// claims, each into a text of its own, so that the text goes out in the
// records' order whoever formatted it.
#include "outputs/event_batch.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

namespace catsieve {

namespace {

constexpr int kChunkRecords = 64;
constexpr int kBatchRecords = 2048;
// The text of a batch is kept near this size, so that memory stays small
// whatever the form: a batch takes as many records as the batch before
// needed for it, in chunks, starting with a few chunks.
constexpr size_t kBatchText = 512 * 1024;
constexpr size_t kFirstBatchRecords = 4 * kChunkRecords;
constexpr int kBatchChunks = kBatchRecords / kChunkRecords;
// Records are counted and their bytes too, so that long views (a full brim
// summary line, an unending line) keep a batch small.
constexpr size_t kBatchBytes = 512 * 1024;

struct Item {
  size_t at, n;
  long long number;
  EventId id;
  int event;  // the event described by the caller, or kNotDescribed
};
constexpr int kNotDescribed = -1;

struct Batch {
  std::vector<char> bytes;
  std::vector<Item> items;
  std::vector<Event> events;  // described by the caller
  std::string texts[kBatchChunks];
  // The catalog that lacks a listed magnitude type, met at the end of a
  // chunk's text, or null.
  const char* unavailable[kBatchChunks] = {};
  const Query* q = nullptr;
  Describe describe = nullptr;
  int chunks = 0;
  // The chunks of the batch (high half) and the next one to claim (low
  // half), in one word: a claim made on a batch that is put out already
  // finds it used up, whatever has become of the slot since.
  std::atomic<unsigned long long> claim{0};
  std::atomic<int> done{0};  // chunks formatted
};

}  // namespace

// What one thread formats with.
struct Worker {
  DayCache days;
  FormScratch scratch;
};

struct Batches {
  Batches(Sink& o, const Form& f, const FormSettings& fs) : out(o), form(f), settings(fs) {}
  Sink& out;
  const Form& form;
  const FormSettings& settings;
  Worker workers[2];  // the searching thread's, the helper's
  std::thread thread;
  bool quit = false;  // under m: the helper is to end
  Batch slot[2];
  int filling = 0;                    // the slot that records go into
  bool in_flight = false;             // whether the other slot is handed over and not yet out
  bool helper = false;                // whether the helper thread runs
  bool tried = false;                 // whether it was started
  size_t limit = kFirstBatchRecords;  // records to a batch
  std::mutex m;
  std::condition_variable work;
  Batch* published = nullptr;  // under m: the batch the helper is to work on
};

namespace {

// Formats a chunk's events.  An event whose listed magnitude types the
// format cannot supply ends the chunk; the searching thread ends the run
// there, after putting out the text before it.
void format_chunk(const Form& form, const FormSettings& settings, Worker& w, Batch& b, int c) {
  std::string& text = b.texts[c];
  text.clear();
  b.unavailable[c] = nullptr;
  size_t from = static_cast<size_t>(c) * kChunkRecords;
  size_t to = std::min(from + kChunkRecords, b.items.size());
  for (size_t i = from; i < to; ++i) {
    const Item& it = b.items[i];
    Event e;
    if (it.event != kNotDescribed)
      e = b.events[static_cast<size_t>(it.event)];
    else
      b.describe(*b.q, w.days, Line{b.bytes.data() + it.at, it.n}, &e);
    if (e.mag_fault) {
      b.unavailable[c] = e.mag_fault;
      return;
    }
    e.id = it.id;
    keep_valid_place(&e);
    const Text& t = form.event(e, it.number, settings, w.scratch);
    text.append(t.buf, t.n);
  }
}

bool unclaimed(unsigned long long claim) { return (claim & 0xffffffff) < claim >> 32; }

// Claims and formats chunks of the batch until none is left.
void work_on(const Batches& s, Worker& w, Batch& b) {
  unsigned long long claim = b.claim.load(std::memory_order_acquire);
  while (unclaimed(claim)) {
    if (!b.claim.compare_exchange_weak(claim, claim + 1, std::memory_order_acq_rel)) continue;
    format_chunk(s.form, s.settings, w, b, static_cast<int>(claim & 0xffffffff));
    b.done.fetch_add(1, std::memory_order_release);
    claim = b.claim.load(std::memory_order_acquire);
  }
}

void helper_loop(Batches* s) {
  for (;;) {
    Batch* b;
    {
      std::unique_lock<std::mutex> lock(s->m);
      s->work.wait(lock, [s] {
        return s->quit ||
               (s->published && unclaimed(s->published->claim.load(std::memory_order_acquire)));
      });
      if (s->quit) return;
      b = s->published;
    }
    work_on(*s, s->workers[1], *b);
  }
}

// Hands the filling batch over; the helper is started for the first full
// one, so that a small selection is formatted by this thread alone.
void publish(Batches& s, bool full) {
  Batch& b = s.slot[s.filling];
  b.chunks = static_cast<int>((b.items.size() + kChunkRecords - 1) / kChunkRecords);
  b.done.store(0, std::memory_order_relaxed);
  b.claim.store(static_cast<unsigned long long>(b.chunks) << 32, std::memory_order_release);
  if (full && !s.tried) {
    // Without a helper thread (the system has none to give) this thread
    // formats every batch itself.
    s.tried = true;
    try {
      s.thread = std::thread(helper_loop, &s);
      s.helper = true;
    } catch (const std::system_error&) {
    }
  }
  {
    std::lock_guard<std::mutex> lock(s.m);
    s.published = &b;
  }
  if (s.helper) s.work.notify_one();
  s.in_flight = true;
  s.filling ^= 1;
}

// Formats what is left of the batch in flight, waits for the chunk the
// helper is on, and puts the text out; the catalog that lacks a listed
// magnitude type when an event met that, else null.
const char* finish_in_flight(Batches& s) {
  if (!s.in_flight) return nullptr;
  Batch& b = s.slot[s.filling ^ 1];
  work_on(s, s.workers[0], b);
  while (b.done.load(std::memory_order_acquire) < b.chunks) std::this_thread::yield();
  {
    std::lock_guard<std::mutex> lock(s.m);
    s.published = nullptr;
  }
  size_t text = 0;
  const char* unavailable = nullptr;
  for (int c = 0; c < b.chunks && !unavailable; ++c) {
    s.out.text(b.texts[c].data(), b.texts[c].size());
    text += b.texts[c].size();
    unavailable = b.unavailable[c];
  }
  size_t per_record = text / std::max<size_t>(b.items.size(), 1) + 1;
  s.limit =
      std::min<size_t>(std::max<size_t>(kBatchText / per_record, kChunkRecords), kBatchRecords);
  b.items.clear();
  b.bytes.clear();
  b.events.clear();
  s.in_flight = false;
  if (unavailable) {
    // The records after it are not formatted, at the end of the run either.
    s.slot[s.filling].items.clear();
    s.slot[s.filling].bytes.clear();
    s.slot[s.filling].events.clear();
  }
  return unavailable;
}

}  // namespace

EventBatch::EventBatch(Sink& out, const Form& form, const FormSettings& settings, bool helper)
    : b_(new Batches(out, form, settings)) {
  b_->tried = !helper;
}

EventBatch::~EventBatch() {
  Batches& s = *b_;
  if (!s.thread.joinable()) return;
  {
    std::lock_guard<std::mutex> lock(s.m);
    s.quit = true;
  }
  s.work.notify_one();
  s.thread.join();
}

const char* EventBatch::add(const Line& view, const Query& q, Describe describe, long long number,
                            const EventId& id, const Event* described) {
  Batches& s = *b_;
  Batch* b = &s.slot[s.filling];
  if (!b->items.empty() && (b->q != &q || b->describe != describe)) {
    if (const char* fault = finish_in_flight(s)) return fault;
    publish(s, false);
    b = &s.slot[s.filling];
  }
  b->q = &q;
  b->describe = describe;
  int event = kNotDescribed;
  if (described) {
    event = static_cast<int>(b->events.size());
    b->events.push_back(*described);
  }
  b->items.push_back(Item{b->bytes.size(), view.n, number, id, event});
  b->bytes.insert(b->bytes.end(), view.p, view.p + view.n);
  if (b->items.size() < s.limit && b->bytes.size() < kBatchBytes) return nullptr;
  if (const char* fault = finish_in_flight(s)) return fault;
  publish(s, true);
  return nullptr;
}

const char* EventBatch::flush() {
  Batches& s = *b_;
  if (const char* fault = finish_in_flight(s)) return fault;
  if (s.slot[s.filling].items.empty()) return nullptr;
  publish(s, false);
  return finish_in_flight(s);
}

}  // namespace catsieve
