#include "service_test.hpp"

#include <algorithm>

#include "devices/cups/queue_name.hpp"

namespace orvane_test {

devices::SystemSettings test_settings() {
  devices::SystemSettings settings;
  settings.printing.server.connect_timeout = std::chrono::milliseconds(2000);
  settings.printing.server.reply_timeout = std::chrono::milliseconds(3000);
  settings.printing.printer_timeout = std::chrono::milliseconds(3000);
  settings.scanning.list_timeout = std::chrono::milliseconds(10000);
  settings.scanning.scan_timeout = std::chrono::milliseconds(60000);
  settings.discovery.search_time = std::chrono::milliseconds(1000);
  return settings;
}

void ServiceTest::SetUp() {
  fixture().reset_queues();
  service_ = devices::make_system_service(test_settings());
}

void ServiceTest::TearDown() { EXPECT_TRUE(fixture().alive("cupsd")) << "cupsd is not running"; }

devices::PrinterQueue ServiceTest::queue_named(const std::string& name) {
  auto queues = service_->queues();
  EXPECT_TRUE(queues.ok()) << (queues.ok() ? "" : queues.error());
  if (queues.ok()) {
    for (const auto& queue : queues.value()) {
      if (queue.name == name) return queue;
    }
  }
  ADD_FAILURE() << "no queue " << name;
  return {};
}

std::optional<devices::PrintJob> ServiceTest::job_with_id(const std::string& id) {
  auto jobs = service_->jobs();
  if (!jobs.ok()) return std::nullopt;
  for (const auto& job : jobs.value()) {
    if (job.id == id) return job;
  }
  return std::nullopt;
}

std::string ServiceTest::newest_job_on(const std::string& queue) {
  auto jobs = service_->jobs();
  std::string newest;
  int highest = 0;
  if (!jobs.ok()) return newest;
  for (const auto& job : jobs.value()) {
    const int number = devices::cups::job_number(job.id).value_or(0);
    if (job.printer == queue && number > highest) {
      highest = number;
      newest = job.id;
    }
  }
  return newest;
}

}  // namespace orvane_test
