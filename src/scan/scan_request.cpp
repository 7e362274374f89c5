#include "scan/scan_request.hpp"

#include <utility>

namespace scan {

ScanRequest make_scan_request(std::string scanner_id, std::size_t resolution_choice,
                              std::size_t color_choice, std::size_t source_choice,
                              std::size_t language_choice, app::MessageSender sender) {
  const Language language = language_for_choice(language_choice);
  return ScanRequest{
      std::move(scanner_id),
      devices::ScanOptions{resolution_for_choice(resolution_choice), color_for_choice(color_choice),
                           source_for_choice(source_choice)},
      language.code,
      language.name,
      std::move(sender),
  };
}

}  // namespace scan
