#pragma once
// Sample data for the preview scenarios the launcher can start.

#include <vector>

#include "app/scanned_page.hpp"
#include "app/snapshot.hpp"
#include "app/state.hpp"

namespace app {

Snapshot sample_snapshot();
std::vector<devices::DiscoveredPrinter> sample_discovery();
PreviewReady sample_print_preview();
ScannedPage sample_scanned_page();

}  // namespace app
