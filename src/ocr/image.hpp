#pragma once
// The images the engine works on: a borrowed view of decoded pixels from any
// caller (no Qt needed), and the 8-bit grayscale image it prepares.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace ocr {

enum class PixelFormat { Gray8, Rgb8, Rgba8 };

std::size_t bytes_per_pixel(PixelFormat format);

// Decoded pixels owned by the caller, rows from the top. `stride` is the
// distance between rows in bytes; 0 means rows are packed.
struct PixelImage {
  PixelFormat format = PixelFormat::Rgba8;
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  std::span<const std::uint8_t> pixels;
  std::size_t stride = 0;

  std::size_t row_bytes() const { return stride != 0 ? stride : width * bytes_per_pixel(format); }
  // False when the buffer is shorter than the rows it claims to hold.
  bool is_complete() const;
};

// 8-bit luma, packed rows.
struct GrayImage {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  std::vector<std::uint8_t> pixels;

  GrayImage() = default;
  GrayImage(std::uint32_t w, std::uint32_t h, std::uint8_t fill = 0)
      : width(w), height(h), pixels(std::size_t{w} * h, fill) {}

  std::uint8_t at(std::uint32_t x, std::uint32_t y) const {
    return pixels[std::size_t{y} * width + x];
  }
  std::uint8_t& at(std::uint32_t x, std::uint32_t y) { return pixels[std::size_t{y} * width + x]; }

  friend bool operator==(const GrayImage&, const GrayImage&) = default;
};

}  // namespace ocr
