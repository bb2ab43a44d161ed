// The access log and the search slots.
#include "service/server_state.h"

namespace catsieve {

void ServerState::write_log(const std::string& text) {
  std::lock_guard<std::mutex> lock(mutex);
  if (!log) return;
  std::fputs(text.c_str(), log);
  std::fflush(log);
}

bool admit(ServerState& s, long long reserve) {
  std::unique_lock<std::mutex> lock(s.mutex);
  int limit = s.settings.threads;
  if (s.running >= limit && s.waiting >= s.settings.queue) return false;
  if (s.buffered + reserve > s.settings.max_buffered) return false;
  s.buffered += reserve;
  ++s.waiting;
  s.slot_freed.wait(lock, [&] { return s.running < limit; });
  --s.waiting;
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
