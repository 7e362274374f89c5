#include "devices/sane/frame_assembler.hpp"

#include <algorithm>
#include <bit>
#include <cstring>
#include <string>

namespace devices::sane {
namespace {

int plane_index(SANE_Frame format) {
  switch (format) {
    case SANE_FRAME_RED:
      return 0;
    case SANE_FRAME_GREEN:
      return 1;
    case SANE_FRAME_BLUE:
      return 2;
    default:
      return -1;
  }
}

// 16-bit samples arrive in the host's byte order.
void to_big_endian(std::vector<std::uint8_t>& samples) {
  if constexpr (std::endian::native == std::endian::little) {
    for (std::size_t i = 0; i + 1 < samples.size(); i += 2) std::swap(samples[i], samples[i + 1]);
  }
}

// One bit per sample, 1 = full intensity, to one byte per sample.
std::vector<std::uint8_t> expand_bits(const std::vector<std::uint8_t>& rows, std::size_t line_bytes,
                                      std::uint32_t lines, std::size_t samples_per_line) {
  std::vector<std::uint8_t> out(samples_per_line * lines);
  for (std::uint32_t y = 0; y < lines; ++y) {
    const std::uint8_t* line = rows.data() + y * line_bytes;
    for (std::size_t x = 0; x < samples_per_line; ++x) {
      const bool set = (line[x / 8] >> (7 - x % 8)) & 1;
      out[y * samples_per_line + x] = set ? 255 : 0;
    }
  }
  return out;
}

}  // namespace

FrameAssembler::FrameAssembler(std::size_t max_bytes) : max_bytes_(max_bytes) {}

platform::Status FrameAssembler::begin_frame(const SANE_Parameters& parameters) {
  if (complete_) return platform::err("The scanner sent more frames than one page has");
  if (parameters.pixels_per_line <= 0 || parameters.bytes_per_line <= 0) {
    return platform::err("The scanner reported an empty image");
  }
  if (parameters.depth != 1 && parameters.depth != 8 && parameters.depth != 16) {
    return platform::err("The scanner uses an unsupported depth of " +
                         std::to_string(parameters.depth) + " bits");
  }
  const bool rgb = parameters.format == SANE_FRAME_RGB;
  const bool grey = parameters.format == SANE_FRAME_GRAY;
  const int plane = plane_index(parameters.format);
  if (!rgb && !grey && plane < 0) return platform::err("The scanner uses an unknown frame format");

  const std::size_t channels = rgb ? 3 : 1;
  const std::size_t needed =
      (static_cast<std::size_t>(parameters.pixels_per_line) * channels * parameters.depth + 7) / 8;
  if (static_cast<std::size_t>(parameters.bytes_per_line) < needed) {
    return platform::err("The scanner reported lines shorter than their pixels");
  }
  const bool first = !interleaved_ && !colour_seen_[0] && !colour_seen_[1] && !colour_seen_[2];
  if (first) {
    width_ = static_cast<std::uint32_t>(parameters.pixels_per_line);
    depth_ = static_cast<std::uint8_t>(parameters.depth);
  } else if (static_cast<std::uint32_t>(parameters.pixels_per_line) != width_ ||
             parameters.depth != depth_ || plane < 0 || interleaved_) {
    return platform::err("The scanner changed the image layout between frames");
  }
  if (plane >= 0) {
    if (colour_seen_[plane]) return platform::err("The scanner sent one colour twice");
    colour_seen_[plane] = true;
  } else {
    interleaved_ = true;
    interleaved_channels_ = static_cast<std::uint8_t>(channels);
  }
  current_ = parameters;
  line_bytes_ = needed;
  if (parameters.lines > 0) {
    Plane& target = interleaved_ ? single_ : colour_[plane];
    target.rows.reserve(std::min(max_bytes_, needed * static_cast<std::size_t>(parameters.lines)));
  }
  pending_.clear();
  in_frame_ = true;
  return platform::ok_status();
}

platform::Status FrameAssembler::add(const std::uint8_t* data, std::size_t size) {
  if (!in_frame_) return platform::err("The scanner sent data outside a frame");
  received_ += size;
  if (received_ > max_bytes_) return platform::err("The scanned image is too large");
  Plane& plane = interleaved_ ? single_ : colour_[plane_index(current_.format)];
  const std::size_t stride = static_cast<std::size_t>(current_.bytes_per_line);
  const auto store = [&](const std::uint8_t* line) {
    // A backend that sends more lines than it announced: keep what it said.
    if (current_.lines >= 0 && plane.lines >= static_cast<std::uint32_t>(current_.lines)) return;
    plane.rows.insert(plane.rows.end(), line, line + line_bytes_);
    ++plane.lines;
  };
  while (size > 0) {
    if (pending_.empty() && size >= stride) {
      store(data);
      data += stride;
      size -= stride;
      continue;
    }
    const std::size_t take = std::min(size, stride - pending_.size());
    pending_.insert(pending_.end(), data, data + take);
    data += take;
    size -= take;
    if (pending_.size() == stride) {
      store(pending_.data());
      pending_.clear();
    }
  }
  return platform::ok_status();
}

platform::Status FrameAssembler::end_frame() {
  if (!in_frame_) return platform::err("The scanner ended a frame it did not start");
  in_frame_ = false;
  pending_.clear();
  if (current_.last_frame) complete_ = true;
  return platform::ok_status();
}

platform::Result<RasterImage> FrameAssembler::finish(std::uint32_t dots_per_inch) {
  if (!complete_) return platform::err("The scanner stopped before the page was complete");
  RasterImage image;
  image.width = width_;
  image.dots_per_inch = dots_per_inch;

  if (interleaved_) {
    image.channels = interleaved_channels_;
    image.height = single_.lines;
    if (depth_ == 1 && image.channels == 1) {
      // SANE's line art has 1 = black; PNG's 1-bit grey has 1 = white.
      image.depth = 1;
      for (auto& byte : single_.rows) byte = static_cast<std::uint8_t>(~byte);
      image.rows = std::move(single_.rows);
    } else if (depth_ == 1) {
      image.depth = 8;
      image.rows = expand_bits(single_.rows, line_bytes_, single_.lines,
                               static_cast<std::size_t>(width_) * 3);
    } else {
      image.depth = depth_;
      image.rows = std::move(single_.rows);
      if (depth_ == 16) to_big_endian(image.rows);
    }
  } else {
    if (!colour_seen_[0] || !colour_seen_[1] || !colour_seen_[2]) {
      return platform::err("The scanner did not send all three colours");
    }
    image.channels = 3;
    image.height = std::min({colour_[0].lines, colour_[1].lines, colour_[2].lines});
    image.depth = depth_ == 16 ? 16 : 8;
    const std::size_t sample_bytes = image.depth / 8;
    const std::size_t plane_line = line_bytes_;
    std::vector<std::uint8_t> planes[3];
    for (int c = 0; c < 3; ++c) {
      planes[c] = depth_ == 1 ? expand_bits(colour_[c].rows, plane_line, image.height, width_)
                              : std::move(colour_[c].rows);
    }
    const std::size_t line = depth_ == 1 ? width_ : plane_line;
    image.rows.resize(image.row_bytes() * image.height);
    for (std::uint32_t y = 0; y < image.height; ++y) {
      std::uint8_t* out = image.rows.data() + y * image.row_bytes();
      for (std::uint32_t x = 0; x < width_; ++x) {
        for (int c = 0; c < 3; ++c) {
          std::memcpy(out + (x * 3 + c) * sample_bytes,
                      planes[c].data() + y * line + x * sample_bytes, sample_bytes);
        }
      }
    }
    if (image.depth == 16) to_big_endian(image.rows);
  }
  if (image.height == 0) return platform::err("The scanner sent no image lines");
  return image;
}

}  // namespace devices::sane
