#pragma once
// What the capture worker is given: a copy of the scanner id, the options
// chosen in the scan view and the recognition language, plus the sender it
// reports on.

#include <cstddef>
#include <string>
#include <string_view>

#include "app/message.hpp"
#include "devices/service.hpp"
#include "scan/choices.hpp"

namespace scan {

struct ScanRequest {
  std::string scanner_id;
  devices::ScanOptions options;
  std::string_view language_code;  // static text of the language table
  std::string_view language_name;
  app::MessageSender sender;
};

// The four choice indexes are read by their tables; an index outside a table
// takes that table's fall-back.
ScanRequest make_scan_request(std::string scanner_id, std::size_t resolution_choice,
                              std::size_t color_choice, std::size_t source_choice,
                              std::size_t language_choice, app::MessageSender sender);

}  // namespace scan
