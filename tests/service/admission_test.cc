// Search slots: requests past the free slots wait in order of arrival, up
// to the queue's length, and the events that sorts may hold are shared.
#include <gtest/gtest.h>

#include <chrono>
#include <mutex>
#include <thread>
#include <vector>

#include "service/server_state.h"

namespace catsieve {
namespace {

size_t waiting(ServerState& s) {
  std::lock_guard<std::mutex> lock(s.mutex);
  return s.waiting.size();
}

// Blocks until n requests wait.
void until_waiting(ServerState& s, size_t n) {
  while (waiting(s) != n) std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

TEST(Admission, WaitingRequestsTakeFreedSlotsInOrderOfArrival) {
  for (int slots : {1, 2}) {
    ServerState s;
    s.settings.threads = slots;
    s.settings.queue = 16;
    for (int i = 0; i < slots; ++i) ASSERT_TRUE(admit(s, 0));
    std::mutex m;
    std::vector<int> order;  // of the requests as they are admitted
    auto admitted = [&] {
      std::lock_guard<std::mutex> lock(m);
      return order.size();
    };
    std::vector<std::thread> requests;
    const int kRequests = 8;
    for (int i = 0; i < kRequests; ++i) {
      requests.emplace_back([&, i] {
        ASSERT_TRUE(admit(s, 0));
        std::lock_guard<std::mutex> lock(m);
        order.push_back(i);
      });
      until_waiting(s, static_cast<size_t>(i) + 1);
    }
    // One slot freed at a time: each goes to the request first in line.
    for (size_t k = 1; k <= kRequests; ++k) {
      release(s, 0);
      while (admitted() < k) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    for (std::thread& t : requests) t.join();
    EXPECT_EQ(order, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7})) << slots;
    for (int i = 0; i < slots; ++i) release(s, 0);
    EXPECT_EQ(s.running, 0);
    EXPECT_TRUE(s.waiting.empty());
  }
}

TEST(Admission, TurnsAwayPastTheQueueTheBudgetOrAClientThatLeft) {
  ServerState s;
  s.settings.threads = 1;
  s.settings.queue = 1;
  s.settings.max_buffered = 100;
  ASSERT_TRUE(admit(s, 60));
  EXPECT_FALSE(admit(s, 50));  // 60 + 50 held events pass the budget
  std::thread waiter([&] { EXPECT_TRUE(admit(s, 40)); });
  until_waiting(s, 1);
  EXPECT_FALSE(admit(s, 0));  // the queue is full
  release(s, 60);
  waiter.join();
  // A request whose client is gone while it waits is not admitted, and
  // gives back what it reserved.
  bool there = false;
  EXPECT_FALSE(admit(
      s, 10, [](void* ctx) { return *static_cast<bool*>(ctx); }, &there));
  EXPECT_EQ(s.buffered, 40);
  release(s, 40);
  EXPECT_EQ(s.buffered, 0);
  EXPECT_TRUE(admit(s, 100));
  release(s, 100);
}

}  // namespace
}  // namespace catsieve
