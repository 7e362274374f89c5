#pragma once
// The scanning half of the service, on libsane: the scanners it lists and one
// page from one of them as a PNG file. Safe to use from several threads: the
// SANE calls themselves run one at a time on the session thread.

#include <atomic>
#include <chrono>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "devices/records.hpp"
#include "devices/sane/raster_image.hpp"
#include "devices/service.hpp"
#include "platform/result.hpp"

namespace devices::sane {

struct ScannerSettings {
  std::chrono::milliseconds list_timeout{10000};
  std::chrono::milliseconds scan_timeout{180000};
};

// A backend option set after the standard ones, for settings the application
// has no words for (the test backend's fault injection, for one).
struct DeviceOption {
  std::string name;
  std::string value;
};

class SaneScanner {
 public:
  explicit SaneScanner(ScannerSettings settings = {});

  // While a scan is running the session is busy for its whole length, so the
  // list read before it is given instead of waiting behind the scan.
  ListResult<Scanner> scanners();

  platform::Result<RasterImage> scan_raster(const std::string& scanner_id, ScanOptions options,
                                            const std::vector<DeviceOption>& extra = {});
  // The page as a PNG file.
  platform::Result<Bytes> scan_page(const std::string& scanner_id, ScanOptions options,
                                    const std::vector<DeviceOption>& extra = {});

 private:
  ScannerSettings settings_;
  std::atomic<int> scans_running_{0};
  std::mutex list_mutex_;
  std::optional<std::vector<Scanner>> last_list_;
};

}  // namespace devices::sane
