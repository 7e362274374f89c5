#pragma once
// A scanned page as rows of samples, the shape PNG stores directly.

#include <cstdint>
#include <vector>

namespace devices::sane {

struct RasterImage {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  std::uint8_t channels = 1;  // 1 grey, 3 RGB
  // Bits per sample: 1 (grey only, 1 = white, most significant bit first), 8,
  // or 16 (big-endian).
  std::uint8_t depth = 8;
  std::uint32_t dots_per_inch = 0;  // 0 when unknown
  std::vector<std::uint8_t> rows;   // height rows of row_bytes() each

  std::size_t row_bytes() const {
    return (static_cast<std::size_t>(width) * channels * depth + 7) / 8;
  }
};

}  // namespace devices::sane
