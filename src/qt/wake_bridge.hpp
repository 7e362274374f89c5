#pragma once
// Carries platform::wake_ui() from any thread to a queued call on the GUI
// thread. Many wakes in a row post one call. Once the target is detached,
// late wakes from workers still running do nothing.

#include <QObject>
#include <QPointer>
#include <atomic>
#include <functional>
#include <memory>
#include <mutex>

namespace qthost {

class WakeBridge {
 public:
  // `target` lives on the GUI thread; `on_wake` runs there.
  static std::shared_ptr<WakeBridge> install(QObject* target, std::function<void()> on_wake);

  // Stops delivering and, when this bridge is still the installed one,
  // removes the wake callback.
  void detach();
  void wake();

 private:
  WakeBridge(QObject* target, std::function<void()> on_wake);

  std::mutex mutex_;
  QObject* target_;
  std::function<void()> on_wake_;
  std::atomic<bool> posted_{false};
};

}  // namespace qthost
