#include "ocr/rotate.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace ocr {
namespace {

std::uint8_t to_byte(double v) { return static_cast<std::uint8_t>(std::min(std::round(v), 255.0)); }

// The sampling itself, for a point already known to lie inside the image.
std::uint8_t sample_inside(const GrayImage& g, double x, double y) {
  const double last_x = g.width - 1.0;
  const double last_y = g.height - 1.0;
  const double fx0 = std::min(std::floor(x), last_x);
  const double fy0 = std::min(std::floor(y), last_y);
  const auto x0 = static_cast<std::uint32_t>(fx0);
  const auto y0 = static_cast<std::uint32_t>(fy0);
  const std::uint32_t x1 = std::min(x0 + 1, g.width - 1);
  const std::uint32_t y1 = std::min(y0 + 1, g.height - 1);
  const double fx = x - fx0;
  const double fy = y - fy0;
  const std::uint8_t* row0 = g.pixels.data() + std::size_t{y0} * g.width;
  const std::uint8_t* row1 = g.pixels.data() + std::size_t{y1} * g.width;
  const double v =
      (1 - fy) * ((1 - fx) * row0[x0] + fx * row0[x1]) + fy * ((1 - fx) * row1[x0] + fx * row1[x1]);
  return to_byte(v);
}

}  // namespace

std::uint8_t sample_bilinear(const GrayImage& image, double x, double y) {
  if (image.width == 0 || image.height == 0) return 255;
  // Positions before the first pixel (or not a number) read the edge too.
  if (!(x >= 0)) x = 0;
  if (!(y >= 0)) y = 0;
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
  for (std::uint32_t y = 0; y < h; ++y) {
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
  return out;
}

}  // namespace ocr
