// What the running service shares between its connections: its settings,
// its address, the access log and the search slots.
#ifndef SERVICE_SERVER_STATE_H
#define SERVICE_SERVER_STATE_H

#include <microhttpd.h>

#include <atomic>
#include <condition_variable>
#include <cstdio>
#include <deque>
#include <memory>
#include <mutex>
#include <string>

#include "service/server.h"
#include "service/worker_pool.h"

namespace catsieve {

struct ServerState {
  ServerSettings settings;
  std::string base;
  MHD_Daemon* daemon = nullptr;
  std::mutex mutex;
  std::FILE* log = nullptr;
  int running = 0;  // searches
  // The requests waiting for a search slot, in order of arrival, each
  // woken by its own signal when its turn comes.
  std::deque<std::condition_variable*> waiting;
  long long buffered = 0;
  std::atomic<int> in_flight{0};
  std::atomic<bool> stopping{false};
  std::unique_ptr<WorkerPool> pool;  // runs the searches

  // Appends to the access log, when there is one.
  void write_log(const std::string& text);
};

// Whether the client is still there to take an answer.
using StillThere = bool (*)(void* ctx);
// Takes a search slot and reserves the events a sort may hold, waiting for
// a slot while few wait, slots going to waiting requests in the order they
// came; false when the service is too busy, or when the client left while
// it waited.
bool admit(ServerState& s, long long reserve, StillThere there = nullptr, void* ctx = nullptr);
// Gives back what admit took.
void release(ServerState& s, long long reserve);

}  // namespace catsieve

#endif
