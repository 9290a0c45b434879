#pragma once
// Jobs run on a set of worker threads, their results taken back in the order the jobs were given,
// with a bounded number in flight so that memory stays bounded too. Jobs whose times vary a lot
// (a garbled line takes a diagnosis's whole search, a clean one a glance) want many in flight,
// so that one slow job does not leave the other threads idle while its result is awaited.

#include <algorithm>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <future>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace qor {

// The threads a run uses when -j is not given: every core.
[[nodiscard]] inline std::size_t AllCores() {
  return std::max<std::size_t>(1, std::thread::hardware_concurrency());
}

template <typename Result>
class OrderedJobs {
 public:
  // `take` receives each result in order; when it returns false, no more are taken. Up to
  // `in_flight_per_thread` jobs a thread are given before the oldest result is taken.
  OrderedJobs(std::size_t threads, std::function<bool(Result&)> take,
              std::size_t in_flight_per_thread = 2)
      : threads_(std::max<std::size_t>(threads, 1)),
        limit_(std::min(kMostInFlight, threads_ * std::max<std::size_t>(in_flight_per_thread, 1))),
        take_(std::move(take)) {}
  // Jobs not yet started are dropped; those running finish before the threads end.
  ~OrderedJobs() {
    {
      const std::lock_guard lock(mutex_);
      closing_ = true;
      queue_.clear();
    }
    ready_.notify_all();
    for (std::thread& worker : workers_) worker.join();
  }
  OrderedJobs(const OrderedJobs&) = delete;
  OrderedJobs& operator=(const OrderedJobs&) = delete;

  // Gives a job, first taking the oldest results while too many are in flight. False once a
  // take said stop.
  bool Add(std::function<Result()> job) {
    while (ok_ && running_.size() >= limit_) TakeOldest();
    if (!ok_) return false;
    std::packaged_task<Result()> task(std::move(job));
    running_.push_back(task.get_future());
    {
      const std::lock_guard lock(mutex_);
      queue_.push_back(std::move(task));
    }
    ready_.notify_one();
    // Threads start as jobs come, no more than there are jobs in flight: -j 10000 on ten lines
    // starts ten. One the system refuses leaves the work to those there are, or to this one.
    if (workers_.size() < threads_ && workers_.size() < running_.size()) {
      try {
        workers_.emplace_back([this] { Work(true); });
      } catch (const std::system_error&) {
        if (workers_.empty()) Work(false);
      }
    }
    return true;
  }
  // Takes every result left; false when a take said stop.
  bool Drain() {
    while (ok_ && !running_.empty()) TakeOldest();
    return ok_;
  }

 private:
  // The next job given and not yet started, waiting for one when `wait`; none once closing, or
  // when none is left and not waiting.
  std::packaged_task<Result()> Next(bool wait) {
    std::unique_lock lock(mutex_);
    if (wait) ready_.wait(lock, [this] { return closing_ || !queue_.empty(); });
    if (queue_.empty()) return {};
    std::packaged_task<Result()> task = std::move(queue_.front());
    queue_.pop_front();
    return task;
  }

  // Runs jobs until none is left: a worker waits for more, this thread (when no worker could
  // start) does not.
  void Work(bool wait) {
    for (std::packaged_task<Result()> task = Next(wait); task.valid(); task = Next(wait)) task();
  }

  void TakeOldest() {
    Result result = running_.front().get();
    running_.pop_front();
    ok_ = take_(result);
  }

  // Jobs in flight at the most, whatever -j says: each holds its input and its result.
  static constexpr std::size_t kMostInFlight = 4096;

  std::size_t threads_;
  std::size_t limit_;
  std::function<bool(Result&)> take_;
  std::deque<std::future<Result>> running_;  // in the order given
  bool ok_ = true;
  std::mutex mutex_;
  std::condition_variable ready_;
  std::deque<std::packaged_task<Result()>> queue_;  // given, not yet started
  bool closing_ = false;
  std::vector<std::thread> workers_;
};

}  // namespace qor
