#pragma once
// A scriptable print and scan service for tests: set the lists, make any call
// fail, slow it down or hold it until released, and read back every call.

#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "devices/service.hpp"

namespace support {

class InMemoryService final : public devices::PrintScanService {
 public:
  // Lists and results (set before or between calls).
  std::vector<devices::PrinterQueue> printers;
  std::vector<devices::PrintJob> jobs_list;
  std::vector<devices::Scanner> scanner_list;
  std::vector<devices::DiscoveredPrinter> discovered;
  devices::Bytes scanned_image;

  // Makes the named call ("queues", "set_enabled", ...) fail with `text`.
  void fail(const std::string& call, std::string text = "service error") {
    std::lock_guard lock(mutex_);
    failures_[call] = std::move(text);
  }
  void succeed(const std::string& call) {
    std::lock_guard lock(mutex_);
    failures_.erase(call);
  }
  // Every call waits here until release() (to test abandoned work).
  void hold() {
    std::lock_guard lock(mutex_);
    held_ = true;
  }
  void release() {
    {
      std::lock_guard lock(mutex_);
      held_ = false;
    }
    released_.notify_all();
  }
  void delay(std::chrono::milliseconds d) {
    std::lock_guard lock(mutex_);
    delay_ = d;
  }

  // "set_enabled Studio_printer false", in call order.
  std::vector<std::string> calls() const {
    std::lock_guard lock(mutex_);
    return calls_;
  }
  // Waits until `count` calls were made (workers run on their own threads).
  bool wait_for_calls(std::size_t count,
                      std::chrono::milliseconds limit = std::chrono::seconds(5)) const {
    std::unique_lock lock(mutex_);
    return called_.wait_for(lock, limit, [&] { return calls_.size() >= count; });
  }

  devices::ListResult<devices::PrinterQueue> queues() override {
    if (auto e = enter("queues")) return platform::err(*e);
    return printers;
  }
  devices::ListResult<devices::PrintJob> jobs() override {
    if (auto e = enter("jobs")) return platform::err(*e);
    return jobs_list;
  }
  devices::ListResult<devices::Scanner> scanners() override {
    if (auto e = enter("scanners")) return platform::err(*e);
    return scanner_list;
  }
  devices::ListResult<devices::DiscoveredPrinter> discover_driverless() override {
    if (auto e = enter("discover_driverless")) return platform::err(*e);
    return discovered;
  }
  platform::Status add_driverless(const std::string& uri, const std::string& name) override {
    return status(enter("add_driverless " + uri + " " + name, "add_driverless"));
  }
  platform::Status set_default(const std::string& queue) override {
    return status(enter("set_default " + queue, "set_default"));
  }
  platform::Status set_enabled(const std::string& queue, bool enabled) override {
    return status(enter("set_enabled " + queue + (enabled ? " true" : " false"), "set_enabled"));
  }
  platform::Status cancel_job(const std::string& id) override {
    return status(enter("cancel_job " + id, "cancel_job"));
  }
  platform::Status retry_job(const std::string& id) override {
    return status(enter("retry_job " + id, "retry_job"));
  }
  platform::Status print_document(const std::string& queue, const std::string& path,
                                  std::uint16_t copies, bool two_sided) override {
    return status(enter("print_document " + queue + " " + path + " " + std::to_string(copies) +
                            (two_sided ? " two-sided" : " one-sided"),
                        "print_document"));
  }
  platform::Result<devices::Bytes> scan_page(const std::string& scanner_id,
                                             devices::ScanOptions options) override {
    if (auto e = enter("scan_page " + scanner_id + " " + std::to_string(options.resolution_dpi) +
                           " " + std::to_string(static_cast<int>(options.color_mode)) + " " +
                           std::to_string(static_cast<int>(options.source)),
                       "scan_page")) {
      return platform::err(*e);
    }
    std::lock_guard lock(mutex_);
    return scanned_image;
  }
  std::optional<std::uint8_t> progress_percent(const devices::PrintJob& job) const override {
    return devices::page_progress_percent(job);
  }

 private:
  static platform::Status status(const std::optional<std::string>& error) {
    if (error) return platform::err(*error);
    return platform::ok_status();
  }
  std::optional<std::string> enter(const std::string& call, const std::string& key = {}) {
    std::unique_lock lock(mutex_);
    calls_.push_back(call);
    called_.notify_all();
    released_.wait(lock, [&] { return !held_; });
    const auto pause = delay_;
    auto it = failures_.find(key.empty() ? call : key);
    std::optional<std::string> error;
    if (it != failures_.end()) error = it->second;
    lock.unlock();
    if (pause.count() > 0) std::this_thread::sleep_for(pause);
    return error;
  }

  mutable std::mutex mutex_;
  mutable std::condition_variable called_;
  std::condition_variable released_;
  std::map<std::string, std::string> failures_;
  std::vector<std::string> calls_;
  bool held_ = false;
  std::chrono::milliseconds delay_{0};
};

}  // namespace support
