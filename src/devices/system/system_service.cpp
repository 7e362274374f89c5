#include "devices/system/system_service.hpp"

#include <utility>

namespace devices {

SystemService::SystemService(SystemSettings settings)
    : settings_(std::move(settings)),
      printing_(settings_.printing),
      scanning_(settings_.scanning) {}

ListResult<PrinterQueue> SystemService::queues() { return printing_.queues(); }

ListResult<PrintJob> SystemService::jobs() { return printing_.jobs(); }

ListResult<Scanner> SystemService::scanners() { return scanning_.scanners(); }

ListResult<DiscoveredPrinter> SystemService::discover_driverless() {
  return discovery::discover_driverless(settings_.discovery);
}

platform::Status SystemService::add_driverless(const std::string& uri, const std::string& name) {
  return printing_.add_driverless(uri, name);
}

platform::Status SystemService::set_default(const std::string& queue) {
  return printing_.set_default(queue);
}

platform::Status SystemService::set_enabled(const std::string& queue, bool enabled) {
  return printing_.set_enabled(queue, enabled);
}

platform::Status SystemService::cancel_job(const std::string& job_id) {
  return printing_.cancel_job(job_id);
}

platform::Status SystemService::retry_job(const std::string& job_id) {
  return printing_.retry_job(job_id);
}

platform::Status SystemService::print_document(const std::string& queue, const std::string& path,
                                               std::uint16_t copies, bool two_sided) {
  return printing_.print_document(queue, path, copies, two_sided);
}

platform::Result<Bytes> SystemService::scan_page(const std::string& scanner_id,
                                                 ScanOptions options) {
  return scanning_.scan_page(scanner_id, options);
}

std::optional<std::uint8_t> SystemService::progress_percent(const PrintJob& job) const {
  return page_progress_percent(job);
}

ServicePtr make_system_service(SystemSettings settings) {
  return std::make_shared<SystemService>(std::move(settings));
}

}  // namespace devices
