#pragma once
// Named worker threads. Every blocking call runs on a thread of its own that
// is started for one operation and detached. Linux keeps only 15 bytes of a
// thread name, so the full name is also recorded here, where tests read it.

#include <functional>
#include <string>
#include <vector>

namespace platform {

// Starts `work` on a detached thread called `name`. False when the thread
// could not be started; `work` is then dropped without running.
bool spawn_worker(const std::string& name, std::function<void()> work);

// The full name of the calling worker thread, empty on other threads.
const std::string& current_worker_name();

// The name the OS is given: the first 15 bytes.
std::string os_thread_name(const std::string& name);

// Every worker name started since the last clear, in start order.
std::vector<std::string> started_workers();
void clear_started_workers();

// Makes the next spawns fail, as when the system is out of threads.
void set_worker_spawn_failure_for_tests(bool fail);

}  // namespace platform
