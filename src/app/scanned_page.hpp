#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ui/widgets.hpp"

namespace app {

using SharedBytes = std::shared_ptr<const std::vector<std::uint8_t>>;
using CropSelection = ui::CropSelection;

// One captured page. Copies share the two byte buffers; the identity of
// `encoded_image` names the page for recognition results.
struct ScannedPage {
  std::string status_text;
  std::string language_name;
  std::optional<std::string> recognized_text;
  SharedBytes encoded_image;
  SharedBytes pixels;  // RGBA
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  bool recognition_stale = false;
  bool recognition_running = false;
  friend bool operator==(const ScannedPage&, const ScannedPage&) = default;
};

}  // namespace app
