#include "ocr/image.hpp"

namespace ocr {

std::size_t bytes_per_pixel(PixelFormat format) {
  switch (format) {
    case PixelFormat::Gray8:
      return 1;
    case PixelFormat::Rgb8:
      return 3;
    case PixelFormat::Rgba8:
      return 4;
  }
  return 4;
}

bool PixelImage::is_complete() const {
  if (width == 0 || height == 0) return true;
  const std::size_t packed = std::size_t{width} * bytes_per_pixel(format);
  const std::size_t step = row_bytes();
  if (step < packed) return false;
  std::size_t needed = 0;
  if (__builtin_mul_overflow(step, std::size_t{height} - 1, &needed)) return false;
  if (__builtin_add_overflow(needed, packed, &needed)) return false;
  return pixels.size() >= needed;
}

}  // namespace ocr
