#pragma once
// PNG encoding of a grayscale page for the engine's temporary file.

#include <cstddef>
#include <cstdint>
#include <string>

#include "ocr/image.hpp"
#include "platform/result.hpp"

namespace ocr {

// An 8-bit grayscale PNG: unfiltered rows in one zlib stream from libdeflate
// at its default level, and no resolution chunk (the engine estimates the
// resolution from the text, where a stamped screen resolution would mislead
// it). About three times faster than the general-purpose encoders, which
// matters because the file is written for every recognition and read once.
platform::Result<std::string> encode_png(const GrayImage& image);

// The same for 8-bit RGBA pixels, row by row (an edited scanned page).
platform::Result<std::string> encode_rgba_png(const std::uint8_t* rgba, std::size_t size,
                                              std::uint32_t width, std::uint32_t height);

}  // namespace ocr
