#pragma once
// Collects the frames a SANE backend delivers for one page into one image:
// a single grey or RGB frame, or three separate red, green and blue frames
// (three-pass scanners); a height that is only known at the end (hand
// scanners report -1 lines); and lines padded beyond their pixels.

#include <sane/sane.h>

#include <cstddef>
#include <cstdint>
#include <vector>

#include "devices/sane/raster_image.hpp"
#include "platform/result.hpp"

namespace devices::sane {

class FrameAssembler {
 public:
  // Refuses pages whose data would exceed this many bytes.
  explicit FrameAssembler(std::size_t max_bytes = std::size_t{1} << 30);

  platform::Status begin_frame(const SANE_Parameters& parameters);
  platform::Status add(const std::uint8_t* data, std::size_t size);
  // Whole lines count; a partial last line is dropped.
  platform::Status end_frame();

  // True once the frame that ended was marked as the last one.
  bool complete() const { return complete_; }

  // The page, once complete. 16-bit samples come out big-endian and 1-bit
  // grey with 1 = white, as PNG wants them.
  platform::Result<RasterImage> finish(std::uint32_t dots_per_inch);

 private:
  struct Plane {
    std::vector<std::uint8_t> rows;  // lines of `line_bytes` each, padding removed
    std::uint32_t lines = 0;
  };

  std::size_t max_bytes_;
  SANE_Parameters current_{};
  bool in_frame_ = false;
  bool complete_ = false;
  std::vector<std::uint8_t> pending_;  // bytes of a line not yet complete
  std::size_t line_bytes_ = 0;         // bytes of pixels in a line
  std::size_t received_ = 0;
  std::uint32_t width_ = 0;
  std::uint8_t depth_ = 0;
  bool interleaved_ = false;  // one grey or RGB frame
  std::uint8_t interleaved_channels_ = 1;
  Plane single_;
  Plane colour_[3];  // red, green, blue of a three-pass scan
  bool colour_seen_[3] = {false, false, false};
};

}  // namespace devices::sane
