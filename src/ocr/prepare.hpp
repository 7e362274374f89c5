#pragma once
// Preparing a page for the engine: 8-bit grayscale of the same size, stronger
// contrast, and straightened when its text lines are visibly tilted.

#include <cstdint>
#include <optional>

#include "ocr/image.hpp"
#include "ocr/ocr_error.hpp"
#include "platform/result.hpp"

class QImage;

namespace ocr {

inline constexpr std::uint64_t kMaxImageSide = 10000;
inline constexpr std::uint64_t kMaxImagePixels = 60'000'000;
inline constexpr int kContrast = 22;

bool within_size_limits(std::uint64_t width, std::uint64_t height);

// The contrast curve around mid-grey: 0, 128 and 255 stay where they are.
std::uint8_t raise_contrast(std::uint8_t value);
void raise_contrast(GrayImage& image);

struct PreparedImage {
  GrayImage image;
  // The tilt that was corrected, in degrees; none when the page was left as is.
  std::optional<double> tilt_degrees;
};

// ImageTooLarge over the size limits; ImageError when the pixels cannot be
// read (a buffer shorter than the image claims).
platform::Result<PreparedImage, OcrError> prepare_image(const PixelImage& image);
platform::Result<PreparedImage, OcrError> prepare_image(const QImage& image);

// The steps after grayscale conversion, for a page already in gray.
PreparedImage prepare_gray(GrayImage gray);

}  // namespace ocr
