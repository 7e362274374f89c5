#include "qt/wake_bridge.hpp"

#include <QMetaObject>

#include "platform/wake.hpp"

namespace qthost {
namespace {
std::mutex installed_mutex;
WakeBridge* installed = nullptr;
}  // namespace

WakeBridge::WakeBridge(QObject* target, std::function<void()> on_wake)
    : target_(target), on_wake_(std::move(on_wake)) {}

std::shared_ptr<WakeBridge> WakeBridge::install(QObject* target, std::function<void()> on_wake) {
  std::shared_ptr<WakeBridge> bridge(new WakeBridge(target, std::move(on_wake)));
  {
    std::lock_guard lock(installed_mutex);
    installed = bridge.get();
  }
  platform::set_wake_callback([bridge] { bridge->wake(); });
  return bridge;
}

void WakeBridge::detach() {
  {
    std::lock_guard lock(mutex_);
    target_ = nullptr;
  }
  std::lock_guard lock(installed_mutex);
  if (installed == this) {
    installed = nullptr;
    platform::set_wake_callback(nullptr);
  }
}

void WakeBridge::wake() {
  if (posted_.exchange(true)) return;
  // Holding the lock while posting keeps the target alive: detach() waits
  // for it before the target is destroyed.
  std::lock_guard lock(mutex_);
  if (!target_) return;
  QMetaObject::invokeMethod(
      target_,
      [this] {
        posted_.store(false);
        if (on_wake_) on_wake_();
      },
      Qt::QueuedConnection);
}

}  // namespace qthost
