#pragma once
// Asks a network printer itself for its attributes. CUPS happily creates a
// queue for any address, even one where nothing answers, and leaves a raw
// queue that can never print; asking first keeps such queues from appearing.

#include <chrono>
#include <string>

#include "platform/result.hpp"

namespace devices::cups {

struct PrinterFacts {
  std::string make_and_model;
};

// The printer at an ipp:// or ipps:// address (DNS-SD service addresses
// included) answers Get-Printer-Attributes and accepts a document format for
// driverless printing (PDF, PWG raster or Apple raster).
platform::Result<PrinterFacts> probe_printer(const std::string& uri,
                                             std::chrono::milliseconds timeout);

}  // namespace devices::cups
