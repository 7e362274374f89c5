#pragma once
// What the engine takes from the image library (Qt's QImage): grayscale
// conversion and resizing. None of it needs a display or a Q*Application.

#include <cstdint>

#include "ocr/image.hpp"
#include "platform/result.hpp"

class QImage;

namespace ocr {

// The library's standard luma conversion.
platform::Result<GrayImage> gray_from(const QImage& image);
platform::Result<GrayImage> gray_from(const PixelImage& image);

// Resizes with the library's smooth (linear) filter.
platform::Result<GrayImage> resize_smooth(const GrayImage& image, std::uint32_t width,
                                          std::uint32_t height);

}  // namespace ocr
