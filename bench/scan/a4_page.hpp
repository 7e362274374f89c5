#pragma once
// A synthetic A4 page as a 300 dpi colour scanner delivers it: off-white
// paper with sensor noise and lines of dark, soft-edged, glyph-like marks.

#include <cstdint>

#include "scan/page_pixels.hpp"

namespace scan_bench {

inline constexpr std::uint32_t kA4Width = 2480;
inline constexpr std::uint32_t kA4Height = 3508;

scan::RgbaImage a4_page(std::uint32_t seed);

}  // namespace scan_bench
