// A fixed set of threads that run jobs in the order they are handed over:
// the searches of the service, so that a request starts no thread.
#ifndef SERVICE_WORKER_POOL_H
#define SERVICE_WORKER_POOL_H

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace catsieve {

class WorkerPool {
 public:
  explicit WorkerPool(int threads);
  // Runs the jobs handed over, then ends its threads.
  ~WorkerPool();
  WorkerPool(const WorkerPool&) = delete;
  WorkerPool& operator=(const WorkerPool&) = delete;

  // The job runs on one of the threads once one is free.
  void run(std::function<void()> job);

 private:
  void loop();

  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<std::function<void()>> jobs_;
  bool ending_ = false;
  std::vector<std::thread> threads_;
};

}  // namespace catsieve

#endif
