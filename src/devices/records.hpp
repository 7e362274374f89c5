#pragma once
// What the print and scan service reports: printer queues, jobs, scanners and
// printers found on the network, plus the values the views derive from them.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/result.hpp"

namespace devices {

enum class PrinterState : std::uint8_t { Idle = 0, Processing = 1, Stopped = 2, Unreachable = 3 };

struct Marker {
  std::string name;
  std::optional<std::string> color;
  std::optional<std::uint8_t> level;  // percent 0..100
  friend bool operator==(const Marker&, const Marker&) = default;
};

struct PrinterQueue {
  std::string name;
  std::vector<std::string> state_reasons;
  std::optional<std::vector<Marker>> markers;
  bool responding = true;
  std::optional<std::string> detail;
  bool is_default = false;
  bool accepting_jobs = true;
  PrinterState state = PrinterState::Idle;
  friend bool operator==(const PrinterQueue&, const PrinterQueue&) = default;
};

enum class JobState : std::uint8_t {
  Pending = 0,
  Held = 1,
  Processing = 2,
  Stopped = 3,
  Canceled = 4,
  Aborted = 5,
  Completed = 6,
};

struct PrintJob {
  std::string id;
  std::string owner;
  std::string time_label;
  std::string printer;
  std::vector<std::string> state_reasons;
  std::optional<std::string> title;
  std::optional<std::uint32_t> pages_completed;
  std::optional<std::uint32_t> pages_total;
  std::uint64_t size = 0;
  std::optional<JobState> state;
  friend bool operator==(const PrintJob&, const PrintJob&) = default;
};

struct Scanner {
  std::string id;
  std::string name;
  friend bool operator==(const Scanner&, const Scanner&) = default;
};

struct DiscoveredPrinter {
  std::string uri;
  std::string name;
  std::optional<std::string> location;
  friend bool operator==(const DiscoveredPrinter&, const DiscoveredPrinter&) = default;
};

template <typename T>
using ListResult = platform::Result<std::vector<T>>;

// Friendly form of a queue name: "_" and "-" become spaces, runs collapse.
std::string display_name(std::string_view queue_name);

// "Ready", "Printing", "Paused", ...
std::string status_word(const PrinterQueue& queue);

// The job's title, else "Document {n}" from the id's last "-" part.
std::string job_display_title(const PrintJob& job);

bool is_active(const PrintJob& job);
bool is_finished(const PrintJob& job);
std::vector<PrintJob> active_jobs(const std::vector<PrintJob>& jobs);
std::vector<PrintJob> finished_jobs(const std::vector<PrintJob>& jobs);

struct PagePosition {
  std::uint32_t current = 1;
  std::uint32_t total = 1;
  friend bool operator==(const PagePosition&, const PagePosition&) = default;
};
PagePosition current_page(const PrintJob& job);

// Labels of a job state in the queue, the dashboard and the history.
std::string queue_label(std::optional<JobState> state);
std::string dashboard_label(JobState state);  // active states only
std::string history_label(JobState state);    // finished states only

}  // namespace devices
