#pragma once

#include "devices/records.hpp"

namespace app {

// One reading of the print and scan service; the parts fail independently.
struct Snapshot {
  devices::ListResult<devices::PrinterQueue> printers;
  devices::ListResult<devices::PrintJob> jobs;
  devices::ListResult<devices::Scanner> scanners;
  friend bool operator==(const Snapshot&, const Snapshot&) = default;
};

}  // namespace app
