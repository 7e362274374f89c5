#include "devices/sane/png_encoder.hpp"

#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <limits>
#include <string>

namespace devices::sane {
namespace {

void put_u32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  out.push_back(static_cast<std::uint8_t>(value >> 24));
  out.push_back(static_cast<std::uint8_t>(value >> 16));
  out.push_back(static_cast<std::uint8_t>(value >> 8));
  out.push_back(static_cast<std::uint8_t>(value));
}

void put_chunk(std::vector<std::uint8_t>& out, const char type[4], const std::uint8_t* data,
               std::size_t size) {
  put_u32(out, static_cast<std::uint32_t>(size));
  const std::size_t start = out.size();
  out.insert(out.end(), type, type + 4);
  if (size) out.insert(out.end(), data, data + size);
  const uLong crc = crc32(0L, out.data() + start, static_cast<uInt>(size + 4));
  put_u32(out, static_cast<std::uint32_t>(crc));
}

// PNG's "Up" filter for 8 and 16-bit samples (scans are smooth from row to
// row) and no filter for 1-bit ones, compressed as one zlib stream.
platform::Result<std::vector<std::uint8_t>> compressed_rows(const RasterImage& image) {
  const std::size_t row_bytes = image.row_bytes();
  const bool up = image.depth >= 8;
  z_stream stream{};
  if (deflateInit2(&stream, 3, Z_DEFLATED, 15, 8, Z_DEFAULT_STRATEGY) != Z_OK) {
    return platform::err("Cannot start the image compressor");
  }
  std::vector<std::uint8_t> out(deflateBound(&stream, static_cast<uLong>(row_bytes + 1)) + 64);
  std::vector<std::uint8_t> filtered(row_bytes + 1);
  std::vector<std::uint8_t> result;
  result.reserve(image.rows.size() / 4 + 1024);
  for (std::uint32_t y = 0; y < image.height; ++y) {
    const std::uint8_t* row = image.rows.data() + y * row_bytes;
    filtered[0] = up && y > 0 ? 2 : 0;
    if (filtered[0] == 2) {
      const std::uint8_t* above = row - row_bytes;
      for (std::size_t i = 0; i < row_bytes; ++i) {
        filtered[i + 1] = static_cast<std::uint8_t>(row[i] - above[i]);
      }
    } else {
      std::memcpy(filtered.data() + 1, row, row_bytes);
    }
    stream.next_in = filtered.data();
    stream.avail_in = static_cast<uInt>(filtered.size());
    const int flush = y + 1 == image.height ? Z_FINISH : Z_NO_FLUSH;
    int status = Z_OK;
    do {
      stream.next_out = out.data();
      stream.avail_out = static_cast<uInt>(out.size());
      status = deflate(&stream, flush);
      if (status == Z_STREAM_ERROR) {
        deflateEnd(&stream);
        return platform::err("The image compressor failed");
      }
      result.insert(result.end(), out.data(), out.data() + (out.size() - stream.avail_out));
    } while (stream.avail_out == 0 || (flush == Z_FINISH && status != Z_STREAM_END));
  }
  deflateEnd(&stream);
  return result;
}

}  // namespace

platform::Result<std::vector<std::uint8_t>> encode_png(const RasterImage& image) {
  if (image.width == 0 || image.height == 0) return platform::err("The scanned image is empty");
  if (image.channels != 1 && image.channels != 3) {
    return platform::err("Unsupported number of colour channels");
  }
  if (image.depth != 8 && image.depth != 16 && !(image.depth == 1 && image.channels == 1)) {
    return platform::err("Unsupported sample depth " + std::to_string(image.depth));
  }
  constexpr std::uint32_t kMaxSide = std::numeric_limits<std::int32_t>::max();
  if (image.width > kMaxSide || image.height > kMaxSide) {
    return platform::err("The scanned image is too large for PNG");
  }
  if (image.rows.size() != image.row_bytes() * image.height) {
    return platform::err("The scanned image data does not match its size");
  }
  // uInt (the zlib input size) must hold a filtered row.
  if (image.row_bytes() + 1 > std::numeric_limits<uInt>::max()) {
    return platform::err("The scanned image is too wide");
  }

  auto data = compressed_rows(image);
  if (!data) return platform::err(data.error());

  std::vector<std::uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<std::uint8_t> header;
  put_u32(header, image.width);
  put_u32(header, image.height);
  header.push_back(image.depth);
  header.push_back(image.channels == 3 ? 2 : 0);  // colour type: truecolour or grey
  header.push_back(0);                            // deflate
  header.push_back(0);                            // adaptive filtering
  header.push_back(0);                            // no interlace
  put_chunk(png, "IHDR", header.data(), header.size());
  if (image.dots_per_inch > 0) {
    const auto per_metre = static_cast<std::uint32_t>(
        (static_cast<std::uint64_t>(image.dots_per_inch) * 10000 + 127) / 254);
    std::vector<std::uint8_t> physical;
    put_u32(physical, per_metre);
    put_u32(physical, per_metre);
    physical.push_back(1);  // unit: metre
    put_chunk(png, "pHYs", physical.data(), physical.size());
  }
  // Chunks are limited to 2^31 - 1 bytes; smaller ones cost nothing.
  constexpr std::size_t kChunk = std::size_t{1} << 20;
  for (std::size_t at = 0; at < data->size(); at += kChunk) {
    put_chunk(png, "IDAT", data->data() + at, std::min(kChunk, data->size() - at));
  }
  put_chunk(png, "IEND", nullptr, 0);
  return png;
}

}  // namespace devices::sane
