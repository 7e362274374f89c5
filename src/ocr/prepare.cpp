#include "ocr/prepare.hpp"

#include <QImage>
#include <algorithm>
#include <array>

#include "ocr/image_library.hpp"
#include "ocr/rotate.hpp"
#include "ocr/skew.hpp"

namespace ocr {
namespace {

std::array<std::uint8_t, 256> contrast_table() {
  std::array<std::uint8_t, 256> table{};
  const float factor = (100.0f + static_cast<float>(kContrast)) / 100.0f;
  const float p = factor * factor;
  for (int v = 0; v < 256; ++v) {
    float out = ((static_cast<float>(v) / 255.0f - 0.5f) * p + 0.5f) * 255.0f;
    out = std::clamp(out, 0.0f, 255.0f);
    table[static_cast<std::size_t>(v)] = static_cast<std::uint8_t>(out);
  }
  return table;
}

const std::array<std::uint8_t, 256>& contrast_lookup() {
  static const auto table = contrast_table();
  return table;
}

platform::Result<PreparedImage, OcrError> finish(platform::Result<GrayImage> gray) {
  if (!gray) return platform::err(ocr_error(OcrError::Kind::ImageError, gray.error()));
  return prepare_gray(std::move(gray).value());
}

}  // namespace

bool within_size_limits(std::uint64_t width, std::uint64_t height) {
  return width <= kMaxImageSide && height <= kMaxImageSide && width * height <= kMaxImagePixels;
}

std::uint8_t raise_contrast(std::uint8_t value) { return contrast_lookup()[value]; }

void raise_contrast(GrayImage& image) {
  const auto& table = contrast_lookup();
  for (auto& v : image.pixels) v = table[v];
}

PreparedImage prepare_gray(GrayImage gray) {
  raise_contrast(gray);
  PreparedImage prepared;
  prepared.tilt_degrees = estimate_skew(gray);
  prepared.image =
      prepared.tilt_degrees ? rotate_about_center(gray, *prepared.tilt_degrees) : std::move(gray);
  return prepared;
}

platform::Result<PreparedImage, OcrError> prepare_image(const PixelImage& image) {
  if (!within_size_limits(image.width, image.height)) {
    return platform::err(ocr_error(OcrError::Kind::ImageTooLarge));
  }
  return finish(gray_from(image));
}

platform::Result<PreparedImage, OcrError> prepare_image(const QImage& image) {
  const auto width = static_cast<std::uint64_t>(std::max(0, image.width()));
  const auto height = static_cast<std::uint64_t>(std::max(0, image.height()));
  if (!within_size_limits(width, height)) {
    return platform::err(ocr_error(OcrError::Kind::ImageTooLarge));
  }
  if (image.isNull()) return PreparedImage{};
  return finish(gray_from(image));
}

}  // namespace ocr
