#pragma once
// A strict PNG reader for tests: checks the signature, every chunk's CRC and
// the compressed data, and undoes the row filters.

#include <cstdint>
#include <string>
#include <vector>

namespace orvane_test {

struct DecodedPng {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  int depth = 0;
  int colour_type = 0;                 // 0 grey, 2 RGB
  std::uint32_t pixels_per_metre = 0;  // 0 without a pHYs chunk
  std::vector<std::uint8_t> rows;      // unfiltered, height * row bytes
  std::string error;                   // empty when the file is valid
};

DecodedPng decode_png(const std::vector<std::uint8_t>& file);

}  // namespace orvane_test
