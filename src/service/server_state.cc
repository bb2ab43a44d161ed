// The access log and the search slots.
#include "service/server_state.h"

#include <algorithm>
#include <chrono>

namespace catsieve {

namespace {

// How often a waiting request looks whether its client is still there.
constexpr auto kClientCheck = std::chrono::milliseconds(100);

// The first waiting request learns that a slot may be free.
void wake_first(ServerState& s) {
  if (!s.waiting.empty()) s.waiting.front()->notify_one();
}

}  // namespace

void ServerState::write_log(const std::string& text) {
  std::lock_guard<std::mutex> lock(mutex);
  if (!log) return;
  std::fputs(text.c_str(), log);
  std::fflush(log);
}

bool admit(ServerState& s, long long reserve, StillThere there, void* ctx) {
  std::unique_lock<std::mutex> lock(s.mutex);
  const int limit = s.settings.threads;
  if (s.running >= limit && static_cast<int>(s.waiting.size()) >= s.settings.queue) return false;
  if (s.buffered + reserve > s.settings.max_buffered) return false;
  s.buffered += reserve;
  if (s.running < limit && s.waiting.empty()) {
    ++s.running;
    return true;
  }
  std::condition_variable turn;
  s.waiting.push_back(&turn);
  auto mine = [&] { return s.running < limit && s.waiting.front() == &turn; };
  // A request whose client has gone is not searched.
  bool gone = false;
  while (!mine() && !gone)
    if (!turn.wait_for(lock, kClientCheck, mine)) gone = there && !there(ctx);
  s.waiting.erase(std::find(s.waiting.begin(), s.waiting.end(), &turn));
  if (gone) {
    s.buffered -= reserve;
  } else {
    ++s.running;
  }
  // The next in line may take a slot that is still free.
  if (s.running < limit) wake_first(s);
  return !gone;
}

void release(ServerState& s, long long reserve) {
  std::lock_guard<std::mutex> lock(s.mutex);
  --s.running;
  s.buffered -= reserve;
  // Notified under the lock: a waiter's signal lives only while it waits.
  wake_first(s);
}

}  // namespace catsieve
