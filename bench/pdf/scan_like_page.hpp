#pragma once
// A synthetic A4 page as a 300 dpi colour scan shows it: off-white paper with
// light sensor noise, lines of dark glyph-like marks with soft edges, and the
// recognized text that would come with it.

#include <cstdint>

#include "pdf/pdf_page.hpp"

namespace pdf_bench {

inline constexpr std::uint32_t kA4Width = 2480;
inline constexpr std::uint32_t kA4Height = 3508;

// Pages with different seeds differ in noise and in the placement of marks.
pdf::PdfPage scan_like_page(std::uint32_t seed, std::uint32_t width = kA4Width,
                            std::uint32_t height = kA4Height);

}  // namespace pdf_bench
