#include "devices/records.hpp"

#include <algorithm>
#include <limits>

namespace devices {

std::string display_name(std::string_view queue_name) {
  std::string out;
  std::string word;
  auto flush = [&] {
    if (word.empty()) return;
    if (!out.empty()) out.push_back(' ');
    out += word;
    word.clear();
  };
  for (char c : queue_name) {
    const bool separator = c == '_' || c == '-' || c == ' ' || c == '\t' || c == '\n' ||
                           c == '\r' || c == '\v' || c == '\f';
    if (separator) {
      flush();
    } else {
      word.push_back(c);
    }
  }
  flush();
  return out;
}

std::string status_word(const PrinterQueue& queue) {
  switch (queue.state) {
    case PrinterState::Idle:
      return queue.accepting_jobs ? "Ready" : "Not accepting new documents";
    case PrinterState::Processing:
      return "Printing";
    case PrinterState::Stopped:
      return "Paused";
    case PrinterState::Unreachable:
      return "Cannot reach this printer";
  }
  return "Ready";
}

std::string job_display_title(const PrintJob& job) {
  if (job.title) return *job.title;
  const auto dash = job.id.rfind('-');
  const std::string number = dash == std::string::npos ? job.id : job.id.substr(dash + 1);
  return "Document " + number;
}

bool is_active(const PrintJob& job) {
  return job.state && static_cast<std::uint8_t>(*job.state) <= 3;
}

bool is_finished(const PrintJob& job) {
  if (!job.state) return false;
  const auto value = static_cast<std::uint8_t>(*job.state);
  return value >= 4 && value <= 6;
}

std::vector<PrintJob> active_jobs(const std::vector<PrintJob>& jobs) {
  std::vector<PrintJob> out;
  std::copy_if(jobs.begin(), jobs.end(), std::back_inserter(out), is_active);
  return out;
}

std::vector<PrintJob> finished_jobs(const std::vector<PrintJob>& jobs) {
  std::vector<PrintJob> out;
  std::copy_if(jobs.begin(), jobs.end(), std::back_inserter(out), is_finished);
  return out;
}

PagePosition current_page(const PrintJob& job) {
  PagePosition position;
  position.total = job.pages_total && *job.pages_total >= 1 ? *job.pages_total : 1;
  if (!job.pages_completed) {
    position.current = 1;
  } else {
    const std::uint32_t next = *job.pages_completed == std::numeric_limits<std::uint32_t>::max()
                                   ? *job.pages_completed
                                   : *job.pages_completed + 1;
    position.current = std::min(position.total, next);
  }
  return position;
}

std::string queue_label(std::optional<JobState> state) {
  if (!state) return "In progress";
  switch (*state) {
    case JobState::Pending:
    case JobState::Processing:
      return "In progress";
    case JobState::Held:
      return "Waiting";
    case JobState::Stopped:
      return "Needs attention";
    case JobState::Canceled:
      return "Canceled";
    case JobState::Aborted:
      return "Could not print";
    case JobState::Completed:
      return "Printed";
  }
  return "In progress";
}

std::string dashboard_label(JobState state) {
  switch (state) {
    case JobState::Pending:
    case JobState::Processing:
      return "Printing now";
    case JobState::Held:
      return "Waiting to print";
    case JobState::Stopped:
      return "Needs attention";
    default:
      return "";
  }
}

std::string history_label(JobState state) {
  switch (state) {
    case JobState::Canceled:
      return "Canceled";
    case JobState::Aborted:
      return "Did not print";
    case JobState::Completed:
      return "Printed";
    default:
      return "";
  }
}

}  // namespace devices
