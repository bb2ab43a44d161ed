// The access log and the search slots.
#include "service/server_state.h"

#include <chrono>

namespace catsieve {

namespace {

// How often a waiting request looks whether its client is still there.
constexpr auto kClientCheck = std::chrono::milliseconds(100);

}  // namespace

void ServerState::write_log(const std::string& text) {
  std::lock_guard<std::mutex> lock(mutex);
  if (!log) return;
  std::fputs(text.c_str(), log);
  std::fflush(log);
}

bool admit(ServerState& s, long long reserve, StillThere there, void* ctx) {
  std::unique_lock<std::mutex> lock(s.mutex);
  int limit = s.settings.threads;
  if (s.running >= limit && s.waiting >= s.settings.queue) return false;
  if (s.buffered + reserve > s.settings.max_buffered) return false;
  s.buffered += reserve;
  ++s.waiting;
  // A request whose client has gone is not searched.
  bool gone = false;
  while (s.running >= limit && !gone)
    if (!s.slot_freed.wait_for(lock, kClientCheck, [&] { return s.running < limit; }))
      gone = there && !there(ctx);
  --s.waiting;
  if (gone) {
    s.buffered -= reserve;
    return false;
  }
  ++s.running;
  return true;
}

void release(ServerState& s, long long reserve) {
  {
    std::lock_guard<std::mutex> lock(s.mutex);
    --s.running;
    s.buffered -= reserve;
  }
  s.slot_freed.notify_one();
}

}  // namespace catsieve
