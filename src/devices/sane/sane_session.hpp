#pragma once
// The process's one connection to libsane. libsane is initialised once per
// process and its backends are not thread-safe, so every SANE call runs on one
// thread owned by the session, one piece of work after another. Callers wait
// a bounded time: a device that stops answering makes the caller's call fail
// (and its scan is told to cancel) instead of hanging the caller.
//
// The session keeps the last device it used open: a document feeder counts
// the pages it has fed for as long as the device stays open, so closing it
// between pages would restart the feeder. It is closed after a minute without
// use, after an error, or when another device is needed.

#include <sane/sane.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "platform/result.hpp"

namespace devices::sane {

class SaneSession {
 public:
  static SaneSession& instance();

  // Runs `work` on the session thread and waits at most `timeout` for it to
  // finish. False when it did not: the work is skipped if it had not started,
  // and told to cancel its scan if it had.
  bool run(std::function<void()> work, std::chrono::milliseconds timeout);

  // For work running on the session thread only.
  const platform::Status& initialised() const { return initialised_; }
  platform::Result<SANE_Handle> handle_for(const std::string& device);
  void close_handle();

 private:
  struct Task {
    std::function<void()> work;
    std::mutex mutex;
    std::condition_variable finished;
    bool started = false;
    bool done = false;
    bool abandoned = false;
  };

  SaneSession();
  void loop();
  void cancel_running_scan(const void* task);

  platform::Status initialised_ = platform::ok_status();
  std::mutex queue_mutex_;
  std::condition_variable queued_;
  std::deque<std::shared_ptr<Task>> queue_;

  // Guards the open handle against a cancel from a waiting caller while the
  // session thread opens or closes it.
  std::mutex handle_mutex_;
  SANE_Handle handle_ = nullptr;
  const void* running_ = nullptr;
  std::string handle_device_;
  std::chrono::steady_clock::time_point last_used_{};
  std::atomic<bool> reset_after_task_{false};
};

}  // namespace devices::sane
