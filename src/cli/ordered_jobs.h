#pragma once
// Jobs run on several threads, their results taken back in the order the jobs were given, with
// a bounded number in flight so that memory stays bounded too.

#include <algorithm>
#include <cstddef>
#include <deque>
#include <functional>
#include <future>
#include <thread>

namespace qor {

// The threads a run uses when -j is not given: every core.
[[nodiscard]] inline std::size_t AllCores() {
  return std::max<std::size_t>(1, std::thread::hardware_concurrency());
}

template <typename Result>
class OrderedJobs {
 public:
  // `take` receives each result in order; when it returns false, no more are taken.
  OrderedJobs(std::size_t threads, std::function<bool(Result&)> take)
      : limit_(2 * std::max<std::size_t>(threads, 1)), take_(std::move(take)) {}
  ~OrderedJobs() {
    for (auto& job : running_) job.wait();
  }

  // Starts a job, first taking the oldest results while too many are in flight. False once a
  // take said stop.
  bool Add(std::function<Result()> job) {
    while (ok_ && running_.size() >= limit_) TakeOldest();
    if (ok_) running_.push_back(std::async(std::launch::async, std::move(job)));
    return ok_;
  }
  // Takes every result left; false when a take said stop.
  bool Drain() {
    while (ok_ && !running_.empty()) TakeOldest();
    return ok_;
  }

 private:
  void TakeOldest() {
    Result result = running_.front().get();
    running_.pop_front();
    ok_ = take_(result);
  }

  std::size_t limit_;
  std::function<bool(Result&)> take_;
  std::deque<std::future<Result>> running_;
  bool ok_ = true;
};

}  // namespace qor
