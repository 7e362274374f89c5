#pragma once
// Turns CUPS printer attributes into PrinterQueue records.

#include <cups/ipp.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "devices/records.hpp"

namespace devices::cups {

// What a Get-Printers request asks for.
const std::vector<const char*>& queue_attribute_names();

// One record per printer group of a CUPS-Get-Printers response, in the
// server's order. `default_queue` marks the preferred one.
std::vector<PrinterQueue> read_queues(ipp_t* response,
                                      const std::optional<std::string>& default_queue);

// (queue name, device URI) of every printer group.
std::vector<std::pair<std::string, std::string>> read_device_uris(ipp_t* response);

// Supplies from the parallel marker-* lists; absent without names. A level
// that is negative (the printer does not know) is absent; above 100 is 100.
std::optional<std::vector<Marker>> read_markers(const std::vector<std::string>& names,
                                                const std::vector<std::string>& colors,
                                                const std::vector<int>& levels);

// The IPP printer-state enum with what the scheduler tells about reaching
// the device: a queue whose backend cannot find its printer stays
// "processing" with a message to that effect (and no reason keyword for a
// long time), which here is Unreachable.
PrinterState printer_state_of(int ipp_state, const std::vector<std::string>& reasons,
                              const std::string& message);

// Reason keywords as reported, without the placeholder "none".
std::vector<std::string> reason_keywords(std::vector<std::string> reported);

}  // namespace devices::cups
