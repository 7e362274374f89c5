#include "png_reader.hpp"

#include <zlib.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace orvane_test {
namespace {

std::uint32_t u32(const std::uint8_t* p) {
  return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) |
         p[3];
}

int paeth(int a, int b, int c) {
  const int p = a + b - c;
  const int pa = std::abs(p - a);
  const int pb = std::abs(p - b);
  const int pc = std::abs(p - c);
  if (pa <= pb && pa <= pc) return a;
  return pb <= pc ? b : c;
}

}  // namespace

DecodedPng decode_png(const std::vector<std::uint8_t>& file) {
  DecodedPng png;
  static const std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (file.size() < 8 || std::memcmp(file.data(), kSignature, 8) != 0) {
    png.error = "no PNG signature";
    return png;
  }
  std::vector<std::uint8_t> compressed;
  bool ended = false;
  std::size_t at = 8;
  while (at + 12 <= file.size()) {
    const std::uint32_t length = u32(&file[at]);
    if (at + 12 + length > file.size()) break;
    const std::string type(reinterpret_cast<const char*>(&file[at + 4]), 4);
    const std::uint8_t* data = &file[at + 8];
    const uLong crc = crc32(0L, &file[at + 4], length + 4);
    if (crc != u32(data + length)) {
      png.error = "bad CRC in " + type;
      return png;
    }
    if (type == "IHDR" && length == 13) {
      png.width = u32(data);
      png.height = u32(data + 4);
      png.depth = data[8];
      png.colour_type = data[9];
    } else if (type == "pHYs" && length == 9) {
      png.pixels_per_metre = u32(data);
    } else if (type == "IDAT") {
      compressed.insert(compressed.end(), data, data + length);
    } else if (type == "IEND") {
      ended = true;
    }
    at += 12 + length;
  }
  if (!ended || png.width == 0 || png.height == 0) {
    png.error = "missing IHDR or IEND";
    return png;
  }
  const int channels = png.colour_type == 2 ? 3 : 1;
  const std::size_t row_bytes = (std::size_t{png.width} * channels * png.depth + 7) / 8;
  const std::size_t bpp = std::max<std::size_t>(1, channels * png.depth / 8);
  std::vector<std::uint8_t> raw((row_bytes + 1) * png.height);
  uLongf raw_size = raw.size();
  if (uncompress(raw.data(), &raw_size, compressed.data(), compressed.size()) != Z_OK ||
      raw_size != raw.size()) {
    png.error = "image data does not inflate to the image size";
    return png;
  }
  png.rows.resize(row_bytes * png.height);
  for (std::uint32_t y = 0; y < png.height; ++y) {
    const std::uint8_t filter = raw[y * (row_bytes + 1)];
    const std::uint8_t* in = &raw[y * (row_bytes + 1) + 1];
    std::uint8_t* out = &png.rows[y * row_bytes];
    const std::uint8_t* up = y > 0 ? out - row_bytes : nullptr;
    for (std::size_t i = 0; i < row_bytes; ++i) {
      const int a = i >= bpp ? out[i - bpp] : 0;
      const int b = up ? up[i] : 0;
      const int c = up && i >= bpp ? up[i - bpp] : 0;
      int value = in[i];
      switch (filter) {
        case 0:
          break;
        case 1:
          value += a;
          break;
        case 2:
          value += b;
          break;
        case 3:
          value += (a + b) / 2;
          break;
        case 4:
          value += paeth(a, b, c);
          break;
        default:
          png.error = "unknown row filter";
          return png;
      }
      out[i] = static_cast<std::uint8_t>(value);
    }
  }
  return png;
}

}  // namespace orvane_test
