#include "devices/sane/sane_session.hpp"

#include <pthread.h>

#include <thread>

#include "devices/sane/status_text.hpp"

namespace devices::sane {
namespace {

constexpr std::chrono::seconds kIdleClose{60};

}  // namespace

SaneSession& SaneSession::instance() {
  // Never destroyed: the session thread may still run while the process exits.
  static SaneSession* session = new SaneSession();
  return *session;
}

SaneSession::SaneSession() {
  std::thread([this] { loop(); }).detach();
}

void SaneSession::loop() {
  pthread_setname_np(pthread_self(), "qiro-sane");
  SANE_Int version = 0;
  const SANE_Status status = sane_init(&version, nullptr);
  if (status != SANE_STATUS_GOOD) {
    initialised_ = platform::err("The scanner service could not start: " + status_text(status));
  }
  for (;;) {
    std::shared_ptr<Task> task;
    {
      std::unique_lock lock(queue_mutex_);
      if (!queued_.wait_for(lock, kIdleClose, [this] { return !queue_.empty(); })) {
        lock.unlock();
        if (handle_ && std::chrono::steady_clock::now() - last_used_ >= kIdleClose) {
          close_handle();
        }
        continue;
      }
      task = std::move(queue_.front());
      queue_.pop_front();
    }
    {
      std::lock_guard lock(task->mutex);
      if (task->abandoned) continue;
      task->started = true;
    }
    {
      std::lock_guard lock(handle_mutex_);
      running_ = task.get();
    }
    task->work();
    {
      std::lock_guard lock(handle_mutex_);
      running_ = nullptr;
    }
    last_used_ = std::chrono::steady_clock::now();
    if (reset_after_task_.exchange(false)) close_handle();
    {
      std::lock_guard lock(task->mutex);
      task->done = true;
    }
    task->finished.notify_all();
  }
}

bool SaneSession::run(std::function<void()> work, std::chrono::milliseconds timeout) {
  auto task = std::make_shared<Task>();
  task->work = std::move(work);
  {
    std::lock_guard lock(queue_mutex_);
    queue_.push_back(task);
  }
  queued_.notify_one();
  std::unique_lock lock(task->mutex);
  if (task->finished.wait_for(lock, timeout, [&] { return task->done; })) return true;
  task->abandoned = true;
  const bool running = task->started;
  lock.unlock();
  if (running) cancel_running_scan(task.get());
  return false;
}

void SaneSession::cancel_running_scan(const void* task) {
  // sane_cancel is the one SANE call meant to be made while another call on
  // the same handle blocks.
  std::lock_guard lock(handle_mutex_);
  if (running_ != task) return;
  if (handle_) sane_cancel(handle_);
  reset_after_task_ = true;
}

platform::Result<SANE_Handle> SaneSession::handle_for(const std::string& device) {
  if (!initialised_) return platform::err(initialised_.error());
  if (handle_ && handle_device_ == device) return handle_;
  close_handle();
  SANE_Handle handle = nullptr;
  const SANE_Status status = sane_open(device.c_str(), &handle);
  if (status != SANE_STATUS_GOOD) {
    if (status == SANE_STATUS_INVAL)
      return platform::err("There is no scanner \"" + device + "\".");
    return platform::err(status_text(status));
  }
  std::lock_guard lock(handle_mutex_);
  handle_ = handle;
  handle_device_ = device;
  return handle_;
}

void SaneSession::close_handle() {
  std::lock_guard lock(handle_mutex_);
  if (!handle_) return;
  sane_close(handle_);
  handle_ = nullptr;
  handle_device_.clear();
}

}  // namespace devices::sane
