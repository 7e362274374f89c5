#include "devices/discovery/driverless_discovery.hpp"

#include <cups/cups.h>

#include <algorithm>
#include <cstdlib>
#include <set>

namespace devices::discovery {
namespace {

std::string option(const cups_dest_t* dest, const char* name) {
  const char* value = cupsGetOption(name, dest->num_options, dest->options);
  return value ? value : "";
}

int collect(void* user_data, unsigned flags, cups_dest_t* dest) {
  auto* found = static_cast<std::vector<FoundDestination>*>(user_data);
  if (flags & CUPS_DEST_FLAGS_REMOVED) return 1;
  // A named instance of a local queue is the same printer again.
  if (dest->instance) return 1;
  FoundDestination entry;
  entry.name = dest->name ? dest->name : "";
  entry.device_uri = option(dest, "device-uri");
  entry.info = option(dest, "printer-info");
  entry.location = option(dest, "printer-location");
  const unsigned long type = std::strtoul(option(dest, "printer-type").c_str(), nullptr, 10);
  entry.discovered = (type & CUPS_PRINTER_DISCOVERED) != 0;
  found->push_back(std::move(entry));
  return 1;
}

}  // namespace

std::vector<DiscoveredPrinter> network_printers(const std::vector<FoundDestination>& found) {
  std::set<std::string> queued;
  for (const FoundDestination& entry : found) {
    if (!entry.discovered && !entry.device_uri.empty()) queued.insert(entry.device_uri);
  }
  std::vector<DiscoveredPrinter> printers;
  std::set<std::string> seen;
  for (const FoundDestination& entry : found) {
    if (!entry.discovered || entry.device_uri.empty()) continue;
    if (queued.count(entry.device_uri) || !seen.insert(entry.device_uri).second) continue;
    DiscoveredPrinter printer;
    printer.uri = entry.device_uri;
    printer.name = entry.info.empty() ? entry.name : entry.info;
    if (!entry.location.empty()) printer.location = entry.location;
    printers.push_back(std::move(printer));
  }
  return printers;
}

ListResult<DiscoveredPrinter> discover_driverless(const DiscoverySettings& settings) {
  std::vector<FoundDestination> found;
  const int search_ms = static_cast<int>(std::max<long long>(settings.search_time.count(), 1));
  if (!cupsEnumDests(CUPS_DEST_FLAGS_NONE, search_ms, nullptr, 0, 0, collect, &found)) {
    return platform::err(std::string("Could not search for printers: ") + cupsLastErrorString());
  }
  return network_printers(found);
}

}  // namespace devices::discovery
