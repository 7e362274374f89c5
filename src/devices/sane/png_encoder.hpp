#pragma once
// PNG files from raster images, written with zlib alone.

#include <cstdint>
#include <vector>

#include "devices/sane/raster_image.hpp"
#include "platform/result.hpp"

namespace devices::sane {

// A complete PNG file (with the resolution in a pHYs chunk when known), or an
// error for an image that is empty, inconsistent or too large for PNG.
platform::Result<std::vector<std::uint8_t>> encode_png(const RasterImage& image);

}  // namespace devices::sane
