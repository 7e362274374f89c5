#include "platform/wake.hpp"

#include <memory>
#include <mutex>

namespace platform {
namespace {
std::mutex& wake_mutex() {
  static std::mutex mutex;
  return mutex;
}
std::shared_ptr<const std::function<void()>>& wake_slot() {
  static std::shared_ptr<const std::function<void()>> slot;
  return slot;
}
}  // namespace

void set_wake_callback(std::function<void()> callback) {
  auto next =
      callback ? std::make_shared<const std::function<void()>>(std::move(callback)) : nullptr;
  std::lock_guard lock(wake_mutex());
  wake_slot() = std::move(next);
}

void wake_ui() {
  std::shared_ptr<const std::function<void()>> callback;
  {
    std::lock_guard lock(wake_mutex());
    callback = wake_slot();
  }
  if (callback) (*callback)();
}

}  // namespace platform
