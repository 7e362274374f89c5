#pragma once
// The wake handle: whoever hosts the UI thread installs a callback that makes
// the UI thread call the root's update soon. Any thread may call wake_ui();
// without a host it does nothing.

#include <functional>

namespace platform {

void set_wake_callback(std::function<void()> callback);
void wake_ui();

}  // namespace platform
