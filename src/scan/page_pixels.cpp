#include "scan/page_pixels.hpp"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

namespace scan {
namespace {

// Float to unsigned as the crop arithmetic wants it: NaN and negatives give
// 0, values past the range give the largest value.
std::uint64_t to_unsigned(double value) {
  if (!(value > 0.0)) return 0;
  if (value >= 18446744073709551615.0) return std::numeric_limits<std::uint64_t>::max();
  return static_cast<std::uint64_t>(value);
}

std::uint64_t saturating_sub(std::uint64_t a, std::uint64_t b) { return a > b ? a - b : 0; }

}  // namespace

std::optional<std::uint64_t> rgba_byte_count(std::uint32_t width, std::uint32_t height) {
  // Two 32-bit factors and 4 fit in 66 bits at most: check the last step.
  const std::uint64_t count = std::uint64_t{width} * height;
  if (count > std::numeric_limits<std::uint64_t>::max() / 4) return std::nullopt;
  return count * 4;
}

platform::Result<RgbaView> rgba_view(const app::SharedBytes& pixels, std::uint32_t width,
                                     std::uint32_t height) {
  const auto needed = rgba_byte_count(width, height);
  const std::uint64_t available = pixels ? pixels->size() : 0;
  if (!needed || available < *needed) return platform::err("scanned page pixels were incomplete");
  return RgbaView{width, height,
                  std::span<const std::uint8_t>(pixels->data(), static_cast<std::size_t>(*needed))};
}

RgbaImage rotate_clockwise(const RgbaView& image) {
  const std::uint32_t w = image.width;
  const std::uint32_t h = image.height;
  RgbaImage out{h, w, std::vector<std::uint8_t>(image.pixels.size())};
  const std::uint8_t* src = image.pixels.data();
  std::uint8_t* dst = out.pixels.data();
  // Tiles keep both the rows read and the columns written in cache.
  constexpr std::uint32_t kTile = 64;
  for (std::uint32_t ty = 0; ty < h; ty += kTile) {
    const std::uint32_t y_end = std::min(h, ty + kTile);
    for (std::uint32_t tx = 0; tx < w; tx += kTile) {
      const std::uint32_t x_end = std::min(w, tx + kTile);
      for (std::uint32_t x = tx; x < x_end; ++x) {
        std::uint8_t* dst_row = dst + (std::size_t{x} * h) * 4;
        for (std::uint32_t y = ty; y < y_end; ++y) {
          std::memcpy(dst_row + std::size_t{h - 1 - y} * 4, src + (std::size_t{y} * w + x) * 4, 4);
        }
      }
    }
  }
  return out;
}

bool is_whole_page(const app::CropSelection& selection) {
  return selection == app::CropSelection{0.0, 0.0, 1.0, 1.0};
}

bool crop_selection_valid(const app::CropSelection& s) {
  const bool finite = std::isfinite(s.left) && std::isfinite(s.top) && std::isfinite(s.right) &&
                      std::isfinite(s.bottom);
  return finite && s.right - s.left >= 0.05 && s.bottom - s.top >= 0.05 && s.left >= 0.0 &&
         s.top >= 0.0 && s.right <= 1.0 && s.bottom <= 1.0;
}

PixelRect crop_rectangle(const app::CropSelection& s, std::uint32_t width, std::uint32_t height) {
  const std::uint64_t w = width;
  const std::uint64_t h = height;
  // std::fmin/fmax return the number when the other argument is NaN; a NaN
  // selection never gets here through the tool, but the arithmetic stays
  // defined for it.
  const std::uint64_t x0 =
      to_unsigned(std::floor(std::fmin(s.left, 0.95) * static_cast<double>(w)));
  const std::uint64_t y0 = to_unsigned(std::floor(std::fmin(s.top, 0.95) * static_cast<double>(h)));
  const std::uint64_t x1 =
      to_unsigned(std::ceil(std::fmin(std::fmax(s.right, 0.05), 1.0) * static_cast<double>(w)));
  const std::uint64_t y1 =
      to_unsigned(std::ceil(std::fmin(std::fmax(s.bottom, 0.05), 1.0) * static_cast<double>(h)));
  const std::uint64_t cw =
      std::min(std::max<std::uint64_t>(saturating_sub(x1, x0), 1), saturating_sub(w, x0));
  const std::uint64_t ch =
      std::min(std::max<std::uint64_t>(saturating_sub(y1, y0), 1), saturating_sub(h, y0));
  const std::uint64_t x = std::min(x0, w);
  const std::uint64_t y = std::min(y0, h);
  return PixelRect{static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y),
                   static_cast<std::uint32_t>(std::min(cw, w - x)),
                   static_cast<std::uint32_t>(std::min(ch, h - y))};
}

RgbaImage crop(const RgbaView& image, const PixelRect& rect) {
  RgbaImage out{rect.width, rect.height, {}};
  if (rect.width == 0 || rect.height == 0) return out;
  out.pixels.resize(std::size_t{rect.width} * rect.height * 4);
  const std::size_t row_bytes = std::size_t{rect.width} * 4;
  for (std::uint32_t row = 0; row < rect.height; ++row) {
    const std::size_t from = ((std::size_t{rect.y} + row) * image.width + rect.x) * 4;
    std::memcpy(out.pixels.data() + row * row_bytes, image.pixels.data() + from, row_bytes);
  }
  return out;
}

}  // namespace scan
