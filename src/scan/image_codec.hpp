#pragma once
// Reading what the scanner delivers (through Qt's image readers, no display
// needed) and writing a page as PNG.

#include <QImage>
#include <cstdint>
#include <span>
#include <vector>

#include "platform/result.hpp"
#include "scan/page_pixels.hpp"

namespace scan {

// Largest page the scan tools accept: 20000 pixels on a side and 64 Mi pixels
// in all (256 MiB as RGBA), far beyond an A3 page at 600 dpi.
inline constexpr std::uint32_t kMaxPageSide = 20000;
inline constexpr std::uint64_t kMaxPagePixels = 64ull * 1024 * 1024;

// Decodes an image file, detecting its format from the bytes alone. The
// error is the decoder's reason.
platform::Result<QImage> decode_image(std::span<const std::uint8_t> bytes);

// The image as 8-bit RGBA; images without alpha get alpha 255.
RgbaImage to_rgba(const QImage& image);

// The image as an 8-bit RGBA PNG, from libdeflate: Qt's writer needs
// seconds for a noisy A4 page. The error is the encoder's reason.
platform::Result<std::vector<std::uint8_t>> encode_png(const RgbaView& image);
inline platform::Result<std::vector<std::uint8_t>> encode_png(const RgbaImage& image) {
  return encode_png(view_of(image));
}

}  // namespace scan
