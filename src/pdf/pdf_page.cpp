#include "pdf/pdf_page.hpp"

namespace pdf {

std::vector<std::uint8_t> rgb_from_rgba(std::span<const std::uint8_t> rgba, std::uint32_t width,
                                        std::uint32_t height) {
  // Two 32-bit factors and a factor of 4 cannot overflow 64 bits.
  const std::uint64_t pixels = std::uint64_t{width} * height;
  if (pixels == 0 || rgba.size() != pixels * 4) return {};
  std::vector<std::uint8_t> rgb(pixels * 3);
  const std::uint8_t* in = rgba.data();
  std::uint8_t* out = rgb.data();
  for (std::uint64_t i = 0; i < pixels; ++i, in += 4, out += 3) {
    out[0] = in[0];
    out[1] = in[1];
    out[2] = in[2];
  }
  return rgb;
}

}  // namespace pdf
