#include "ocr/png_writer.hpp"

#include <libdeflate.h>

#include <cstdint>
#include <cstring>
#include <limits>
#include <memory>
#include <string_view>
#include <vector>

namespace ocr {
namespace {

constexpr int kDeflateLevel = 6;
constexpr std::uint32_t kMaxPngSide = 0x7FFFFFFFu;

struct CompressorDeleter {
  void operator()(libdeflate_compressor* c) const { libdeflate_free_compressor(c); }
};

void put_be32(std::string& out, std::uint32_t v) {
  const char bytes[4] = {static_cast<char>(v >> 24), static_cast<char>(v >> 16),
                         static_cast<char>(v >> 8), static_cast<char>(v)};
  out.append(bytes, 4);
}

void put_chunk(std::string& out, std::string_view type, const void* data, std::size_t size) {
  put_be32(out, static_cast<std::uint32_t>(size));
  const std::size_t start = out.size();
  out.append(type);
  out.append(static_cast<const char*>(data), size);
  put_be32(out, libdeflate_crc32(0, out.data() + start, size + 4));
}

// Unfiltered rows of `channels` bytes per pixel in one zlib stream.
platform::Result<std::string> encode(const std::uint8_t* pixels, std::size_t size, std::uint32_t w,
                                     std::uint32_t h, std::size_t channels, char color_type) {
  if (w == 0 || h == 0) return platform::err("cannot encode an empty image");
  if (w > kMaxPngSide || h > kMaxPngSide || size != std::size_t{w} * h * channels) {
    return platform::err("the image cannot be encoded as PNG");
  }

  // Every row starts with its filter type; 0 leaves the row as it is.
  const std::size_t line = std::size_t{w} * channels;
  const std::size_t row = line + 1;
  std::vector<std::uint8_t> raw(row * h);
  for (std::uint32_t y = 0; y < h; ++y) {
    std::uint8_t* target = raw.data() + row * y;
    target[0] = 0;
    std::memcpy(target + 1, pixels + line * y, line);
  }

  std::unique_ptr<libdeflate_compressor, CompressorDeleter> compressor(
      libdeflate_alloc_compressor(kDeflateLevel));
  if (!compressor) return platform::err("out of memory for the PNG compressor");
  const std::size_t bound = libdeflate_zlib_compress_bound(compressor.get(), raw.size());
  if (bound > std::numeric_limits<std::uint32_t>::max()) {
    return platform::err("the image is too large for one PNG data chunk");
  }
  std::vector<std::uint8_t> compressed(bound);
  const std::size_t packed = libdeflate_zlib_compress(compressor.get(), raw.data(), raw.size(),
                                                      compressed.data(), compressed.size());
  if (packed == 0) return platform::err("PNG compression failed");

  std::string png;
  png.reserve(packed + 64);
  png.append("\x89PNG\r\n\x1a\n", 8);
  std::string header;
  put_be32(header, w);
  put_be32(header, h);
  header.push_back('\x08');  // 8 bits per channel
  header.push_back(color_type);
  header.append("\x00\x00\x00", 3);  // deflate, no filter set, no interlace
  put_chunk(png, "IHDR", header.data(), header.size());
  put_chunk(png, "IDAT", compressed.data(), packed);
  put_chunk(png, "IEND", nullptr, 0);
  return png;
}

}  // namespace

platform::Result<std::string> encode_png(const GrayImage& image) {
  return encode(image.pixels.data(), image.pixels.size(), image.width, image.height, 1, '\x00');
}

platform::Result<std::string> encode_rgba_png(const std::uint8_t* rgba, std::size_t size,
                                              std::uint32_t width, std::uint32_t height) {
  return encode(rgba, size, width, height, 4, '\x06');
}

}  // namespace ocr
