#pragma once
// The real print and scan service: CUPS for printers and documents, SANE for
// scanners, DNS-SD (through libcups and avahi) for printers on the network.
// One object serves every worker thread at once.

#include <memory>

#include "devices/cups/cups_client.hpp"
#include "devices/discovery/driverless_discovery.hpp"
#include "devices/sane/sane_scanner.hpp"
#include "devices/service.hpp"

namespace devices {

struct SystemSettings {
  cups::ClientSettings printing;
  sane::ScannerSettings scanning;
  discovery::DiscoverySettings discovery;
};

class SystemService final : public PrintScanService {
 public:
  explicit SystemService(SystemSettings settings = {});

  ListResult<PrinterQueue> queues() override;
  ListResult<PrintJob> jobs() override;
  ListResult<Scanner> scanners() override;
  ListResult<DiscoveredPrinter> discover_driverless() override;

  platform::Status add_driverless(const std::string& uri, const std::string& name) override;
  platform::Status set_default(const std::string& queue) override;
  platform::Status set_enabled(const std::string& queue, bool enabled) override;
  platform::Status cancel_job(const std::string& job_id) override;
  platform::Status retry_job(const std::string& job_id) override;
  platform::Status print_document(const std::string& queue, const std::string& path,
                                  std::uint16_t copies, bool two_sided) override;

  platform::Result<Bytes> scan_page(const std::string& scanner_id, ScanOptions options) override;

  std::optional<std::uint8_t> progress_percent(const PrintJob& job) const override;

 private:
  SystemSettings settings_;
  cups::CupsClient printing_;
  sane::SaneScanner scanning_;
};

ServicePtr make_system_service(SystemSettings settings = {});

}  // namespace devices
