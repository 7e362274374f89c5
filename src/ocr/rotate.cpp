#include "ocr/rotate.hpp"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

#include "ocr/bands.hpp"

namespace ocr {
namespace {

// Nearest integer, halves away from zero, for 0 <= v < 2^52 without a libm
// call: v minus its integer part is exact there.
double round_half_away(double v) {
  const auto whole = static_cast<double>(static_cast<std::int64_t>(v));
  return v - whole >= 0.5 ? whole + 1 : whole;
}

std::uint8_t to_byte(double v) {
  return static_cast<std::uint8_t>(std::min(round_half_away(v), 255.0));
}

// The sampling itself, for a point already known to lie inside the image
// (0 <= x < W, 0 <= y < H).
std::uint8_t sample_inside(const GrayImage& g, double x, double y) {
  const auto x0 = std::min(static_cast<std::uint32_t>(x), g.width - 1);
  const auto y0 = std::min(static_cast<std::uint32_t>(y), g.height - 1);
  const std::uint32_t x1 = std::min(x0 + 1, g.width - 1);
  const std::uint32_t y1 = std::min(y0 + 1, g.height - 1);
  const std::uint8_t* row0 = g.pixels.data() + std::size_t{y0} * g.width;
  const std::uint8_t* row1 = g.pixels.data() + std::size_t{y1} * g.width;
  const std::uint8_t a = row0[x0];
  const std::uint8_t b = row0[x1];
  const std::uint8_t c = row1[x0];
  const std::uint8_t d = row1[x1];
  // Most of a page is plain paper or solid ink: equal corners give their
  // value whatever the weights.
  if (a == b && a == c && a == d) return a;
  const double fx = x - x0;
  const double fy = y - y0;
  const double v = (1 - fy) * ((1 - fx) * a + fx * b) + fy * ((1 - fx) * c + fx * d);
  return to_byte(v);
}

}  // namespace

std::uint8_t sample_bilinear(const GrayImage& image, double x, double y) {
  if (image.width == 0 || image.height == 0) return 255;
  // Positions before the first pixel (or not a number) read the first one,
  // positions past the last read the last.
  x = !(x >= 0) ? 0.0 : std::min(x, image.width - 1.0);
  y = !(y >= 0) ? 0.0 : std::min(y, image.height - 1.0);
  return sample_inside(image, x, y);
}

GrayImage rotate_about_center(const GrayImage& image, double degrees) {
  const std::uint32_t w = image.width;
  const std::uint32_t h = image.height;
  GrayImage out(w, h, 255);
  if (w == 0 || h == 0) return out;
  const double radians = degrees * std::numbers::pi / 180.0;
  const double s = std::sin(radians);
  const double c = std::cos(radians);
  const double cx = (w - 1.0) / 2.0;
  const double cy = (h - 1.0) / 2.0;
  // The column terms of the source position, computed once per column.
  std::vector<double> column_x(w);
  std::vector<double> column_y(w);
  for (std::uint32_t x = 0; x < w; ++x) {
    const double dx = x - cx;
    column_x[x] = cx + c * dx;
    column_y[x] = cy - s * dx;
  }
  const double width = w;
  const double height = h;
  // Rows are independent, so they are shared out over the cores.
  for_each_band(h, band_count(h, w), [&](std::size_t first, std::size_t end) {
    for (auto y = static_cast<std::uint32_t>(first); y < end; ++y) {
      const double dy = y - cy;
      const double row_x = s * dy;
      const double row_y = c * dy;
      std::uint8_t* target = out.pixels.data() + std::size_t{y} * w;
      for (std::uint32_t x = 0; x < w; ++x) {
        const double sx = column_x[x] + row_x;
        const double sy = column_y[x] + row_y;
        if (sx < 0 || sy < 0 || sx >= width || sy >= height) continue;
        target[x] = sample_inside(image, sx, sy);
      }
    }
  });
  return out;
}

}  // namespace ocr
