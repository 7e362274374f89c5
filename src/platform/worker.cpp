#include "platform/worker.hpp"

#include <pthread.h>

#include <atomic>
#include <mutex>
#include <system_error>
#include <thread>

namespace platform {
namespace {
std::mutex& log_mutex() {
  static std::mutex mutex;
  return mutex;
}
std::vector<std::string>& log() {
  static std::vector<std::string> names;
  return names;
}
std::atomic<bool> spawn_fails{false};
thread_local std::string this_worker_name;
}  // namespace

std::string os_thread_name(const std::string& name) { return name.substr(0, 15); }

bool spawn_worker(const std::string& name, std::function<void()> work) {
  if (spawn_fails.load()) return false;
  try {
    std::thread thread([name, work = std::move(work)]() mutable {
      this_worker_name = name;
      pthread_setname_np(pthread_self(), os_thread_name(name).c_str());
      work();
      // Release captured state (senders, buffers) before the thread ends.
      work = nullptr;
    });
    thread.detach();
  } catch (const std::system_error&) {
    return false;
  }
  std::lock_guard lock(log_mutex());
  log().push_back(name);
  return true;
}

const std::string& current_worker_name() { return this_worker_name; }

std::vector<std::string> started_workers() {
  std::lock_guard lock(log_mutex());
  return log();
}

void clear_started_workers() {
  std::lock_guard lock(log_mutex());
  log().clear();
}

void set_worker_spawn_failure_for_tests(bool fail) { spawn_fails.store(fail); }

}  // namespace platform
