// Whatever frames a scanner backend announces and sends: assembling never
// crashes or takes more memory than its limit, and a finished page always
// has exactly its rows and encodes to a PNG file.
//
// Input: frames, each an 11-byte header (format, last frame, pixels per
// line and bytes per line as 16-bit, lines as signed 16-bit, depth, data
// length as 16-bit) and that much data, given in uneven pieces.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "devices/sane/frame_assembler.hpp"
#include "devices/sane/png_encoder.hpp"

namespace {

std::uint16_t u16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] << 8 | p[1]); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  devices::sane::FrameAssembler assembler(std::size_t{1} << 22);
  std::size_t at = 0;
  while (at + 11 <= size && !assembler.complete()) {
    SANE_Parameters parameters{};
    parameters.format = static_cast<SANE_Frame>(data[at] % 6);
    parameters.last_frame = data[at + 1] & 1;
    parameters.pixels_per_line = u16(data + at + 2);
    parameters.bytes_per_line = u16(data + at + 4);
    parameters.lines = static_cast<std::int16_t>(u16(data + at + 6));
    parameters.depth = data[at + 8];
    std::size_t length = u16(data + at + 9);
    at += 11;
    if (!assembler.begin_frame(parameters).ok()) return 0;
    length = std::min(length, size - at);
    for (std::size_t piece = 1; length > 0; piece = piece * 3 + 1) {
      const std::size_t take = std::min(piece, length);
      if (!assembler.add(data + at, take).ok()) return 0;
      at += take;
      length -= take;
    }
    if (!assembler.end_frame().ok()) return 0;
  }
  auto image = assembler.finish(300);
  if (!image.ok()) {
    if (image.error().empty()) std::abort();
    return 0;
  }
  if (image->width == 0 || image->height == 0 ||
      image->rows.size() != image->row_bytes() * image->height) {
    std::abort();
  }
  auto png = devices::sane::encode_png(image.value());
  if (!png.ok() || png->size() < 8 || std::memcmp(png->data(), "\x89PNG", 4) != 0) std::abort();
  return 0;
}
