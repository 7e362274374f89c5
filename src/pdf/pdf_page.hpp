#pragma once
// One page of a searchable PDF: the page image as 8-bit RGB and the text
// recognized on it.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace pdf {

struct PdfPage {
  // Row by row from the top, 3 bytes per pixel.
  std::vector<std::uint8_t> rgb;
  // Recognized text, UTF-8; empty when there is none.
  std::string text;
  std::uint32_t width = 0;
  std::uint32_t height = 0;
};

// Drops the alpha channel of 8-bit RGBA pixels. Empty when `rgba` is not
// exactly width x height x 4 bytes, which makes the page one that is left out.
std::vector<std::uint8_t> rgb_from_rgba(std::span<const std::uint8_t> rgba, std::uint32_t width,
                                        std::uint32_t height);

}  // namespace pdf
