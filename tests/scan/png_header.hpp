#pragma once
// Hand-made PNG files whose header says what a test needs, true or not.

#include <zlib.h>

#include <cstdint>
#include <string>
#include <vector>

namespace scantest {

inline void put_u32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8)
    out.push_back(static_cast<std::uint8_t>(value >> shift));
}

inline void put_chunk(std::vector<std::uint8_t>& out, const char* type,
                      const std::vector<std::uint8_t>& data) {
  put_u32(out, static_cast<std::uint32_t>(data.size()));
  std::vector<std::uint8_t> body(type, type + 4);
  body.insert(body.end(), data.begin(), data.end());
  out.insert(out.end(), body.begin(), body.end());
  put_u32(out, static_cast<std::uint32_t>(crc32(0, body.data(), static_cast<uInt>(body.size()))));
}

// A PNG whose header announces width x height RGBA pixels, followed by a
// little image data that is nowhere near enough for that size.
inline std::vector<std::uint8_t> png_with_header(std::uint32_t width, std::uint32_t height) {
  std::vector<std::uint8_t> out{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<std::uint8_t> header;
  put_u32(header, width);
  put_u32(header, height);
  header.insert(header.end(), {8, 6, 0, 0, 0});
  put_chunk(out, "IHDR", header);
  const std::vector<std::uint8_t> raw(64, 0);
  std::vector<std::uint8_t> compressed(compressBound(raw.size()));
  uLongf length = compressed.size();
  compress(compressed.data(), &length, raw.data(), raw.size());
  compressed.resize(length);
  put_chunk(out, "IDAT", compressed);
  put_chunk(out, "IEND", {});
  return out;
}

}  // namespace scantest
