#pragma once
// Finds driverless (IPP Everywhere) printers that announce themselves over
// DNS-SD, through libcups' destination enumeration (which asks avahi).

#include <chrono>
#include <string>

#include "devices/records.hpp"

namespace devices::discovery {

struct DiscoverySettings {
  // How long to listen for announcements. libcups listens for the whole time.
  std::chrono::milliseconds search_time{1000};
};

// What one enumerated destination says about itself.
struct FoundDestination {
  std::string name;         // destination (queue-like) name
  std::string device_uri;   // "device-uri" option
  std::string info;         // "printer-info": the advertised name
  std::string location;     // "printer-location"
  bool discovered = false;  // printer-type has the "discovered" bit
};

// Printers found on the network, each once, without the machine's own queues
// and without printers that already have a queue (same device address).
std::vector<DiscoveredPrinter> network_printers(const std::vector<FoundDestination>& found);

ListResult<DiscoveredPrinter> discover_driverless(const DiscoverySettings& settings = {});

}  // namespace devices::discovery
