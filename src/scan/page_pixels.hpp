#pragma once
// A page's pixels as 8-bit RGBA and the two page tools that change them:
// a quarter turn and a crop. Pure arithmetic on bytes, no image library.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "app/scanned_page.hpp"
#include "platform/result.hpp"

namespace scan {

struct RgbaImage {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  std::vector<std::uint8_t> pixels;  // row by row, top row first, 4 bytes per pixel
  friend bool operator==(const RgbaImage&, const RgbaImage&) = default;
};

// Borrowed RGBA pixels whose buffer is known to hold width x height x 4 bytes.
struct RgbaView {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  std::span<const std::uint8_t> pixels;
};

inline RgbaView view_of(const RgbaImage& image) {
  return RgbaView{image.width, image.height, image.pixels};
}

// Bytes an RGBA image of this size needs, or nothing when that does not fit
// in 64 bits.
std::optional<std::uint64_t> rgba_byte_count(std::uint32_t width, std::uint32_t height);

// The page's pixels as a width x height image; fails with "scanned page
// pixels were incomplete" when the buffer holds fewer than width x height x 4
// bytes. The view borrows `pixels`, which the caller keeps alive.
platform::Result<RgbaView> rgba_view(const app::SharedBytes& pixels, std::uint32_t width,
                                     std::uint32_t height);

// A quarter turn clockwise: source (x, y) lands at (height - 1 - y, x).
RgbaImage rotate_clockwise(const RgbaView& image);

struct PixelRect {
  std::uint32_t x = 0;
  std::uint32_t y = 0;
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// True for the whole page, (0, 0, 1, 1) exactly, which the crop tool ignores.
bool is_whole_page(const app::CropSelection& selection);

// Finite, inside the page, and at least 0.05 of the page in both directions.
bool crop_selection_valid(const app::CropSelection& selection);

// The pixel rectangle a selection covers on a width x height page; always
// inside the page. Defined for every selection, valid or not.
PixelRect crop_rectangle(const app::CropSelection& selection, std::uint32_t width,
                         std::uint32_t height);

// The pixels of `rect` (which must lie inside the image).
RgbaImage crop(const RgbaView& image, const PixelRect& rect);

}  // namespace scan
