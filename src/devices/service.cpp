#include "devices/service.hpp"

#include <algorithm>

namespace devices {

std::optional<std::uint8_t> page_progress_percent(const PrintJob& job) {
  if (job.state == JobState::Completed) return 100;
  if (!job.pages_total || *job.pages_total == 0 || !job.pages_completed) return std::nullopt;
  const std::uint64_t done = std::min<std::uint64_t>(*job.pages_completed, *job.pages_total);
  return static_cast<std::uint8_t>(done * 100 / *job.pages_total);
}

}  // namespace devices
