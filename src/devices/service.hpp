#pragma once
// The print and scan service as the application uses it. Every call may
// block and is made from a worker thread only (except progress_percent).
// Implementations: the real one (CUPS, SANE, DNS-SD) and an in-memory one
// for tests.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "devices/records.hpp"
#include "platform/result.hpp"

namespace devices {

enum class ColorMode : std::uint8_t { Color = 0, Grayscale = 1, Text = 2 };
enum class PaperSource : std::uint8_t { Flatbed = 0, Feeder = 1, TwoSided = 2 };

struct ScanOptions {
  std::uint16_t resolution_dpi = 300;
  ColorMode color_mode = ColorMode::Color;
  PaperSource source = PaperSource::Flatbed;
  friend bool operator==(const ScanOptions&, const ScanOptions&) = default;
};

using Bytes = std::vector<std::uint8_t>;

class PrintScanService {
 public:
  virtual ~PrintScanService() = default;

  virtual ListResult<PrinterQueue> queues() = 0;
  virtual ListResult<PrintJob> jobs() = 0;
  virtual ListResult<Scanner> scanners() = 0;
  virtual ListResult<DiscoveredPrinter> discover_driverless() = 0;

  virtual platform::Status add_driverless(const std::string& uri, const std::string& name) = 0;
  virtual platform::Status set_default(const std::string& queue) = 0;
  virtual platform::Status set_enabled(const std::string& queue, bool enabled) = 0;
  virtual platform::Status cancel_job(const std::string& job_id) = 0;
  virtual platform::Status retry_job(const std::string& job_id) = 0;
  virtual platform::Status print_document(const std::string& queue, const std::string& path,
                                          std::uint16_t copies, bool two_sided) = 0;

  // The scanned page as an encoded image file (PNG for the real service).
  virtual platform::Result<Bytes> scan_page(const std::string& scanner_id, ScanOptions options) = 0;

  // Pure; safe on the UI thread.
  virtual std::optional<std::uint8_t> progress_percent(const PrintJob& job) const = 0;
};

using ServicePtr = std::shared_ptr<PrintScanService>;

// The progress rule shared by implementations: pages completed of total.
std::optional<std::uint8_t> page_progress_percent(const PrintJob& job);

}  // namespace devices
