// Whatever a scanner sends: decoding never crashes, never allocates past the
// page limits, and a decoded page always converts to a complete RGBA buffer
// that the page tools can turn and cut.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "scan/image_codec.hpp"
#include "scan/page_pixels.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  auto decoded = scan::decode_image(std::span<const std::uint8_t>(data, size));
  if (!decoded.ok()) {
    if (decoded.error().empty()) std::abort();
    return 0;
  }
  const scan::RgbaImage rgba = scan::to_rgba(decoded.value());
  if (rgba.width == 0 || rgba.height == 0 || rgba.width > scan::kMaxPageSide ||
      rgba.height > scan::kMaxPageSide ||
      rgba.pixels.size() != std::size_t{rgba.width} * rgba.height * 4) {
    std::abort();
  }
  // Small pages also go through the tools.
  if (std::size_t{rgba.width} * rgba.height <= 4096) {
    const scan::RgbaImage turned = scan::rotate_clockwise(scan::view_of(rgba));
    if (turned.width != rgba.height || turned.pixels.size() != rgba.pixels.size()) std::abort();
  }
  return 0;
}
