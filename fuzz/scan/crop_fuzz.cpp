// Any selection the crop editor (or a broken host) can write, on any page
// size: the rectangle always lies inside the page, a valid selection always
// keeps at least one pixel, and cutting it out stays within the buffer.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "scan/page_pixels.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  struct Input {
    double left, top, right, bottom;
    std::uint32_t width, height;
  } input{};
  if (size < sizeof input) return 0;
  std::memcpy(&input, data, sizeof input);
  const app::CropSelection selection{input.left, input.top, input.right, input.bottom};
  const scan::PixelRect rect = scan::crop_rectangle(selection, input.width, input.height);
  if (std::uint64_t{rect.x} + rect.width > input.width ||
      std::uint64_t{rect.y} + rect.height > input.height) {
    std::abort();
  }
  if (scan::crop_selection_valid(selection) && input.width > 0 && input.height > 0 &&
      (rect.width == 0 || rect.height == 0)) {
    std::abort();
  }
  // Cut a small page for real, with its buffer exactly as large as needed.
  const std::uint32_t width = input.width % 64;
  const std::uint32_t height = input.height % 64;
  std::vector<std::uint8_t> pixels(std::size_t{width} * height * 4, 0x7F);
  const scan::RgbaView page{width, height, pixels};
  const scan::RgbaImage cut = scan::crop(page, scan::crop_rectangle(selection, width, height));
  if (cut.pixels.size() != std::size_t{cut.width} * cut.height * 4) std::abort();
  return 0;
}
