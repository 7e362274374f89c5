#include "a4_page.hpp"

#include <algorithm>
#include <random>

namespace scan_bench {

scan::RgbaImage a4_page(std::uint32_t seed) {
  scan::RgbaImage page{kA4Width, kA4Height, {}};
  page.pixels.resize(std::size_t{kA4Width} * kA4Height * 4);
  std::mt19937 random(seed);
  std::uniform_int_distribution<int> noise(-4, 4);
  constexpr std::uint32_t kMargin = 240;
  for (std::uint32_t y = 0; y < kA4Height; ++y) {
    const std::uint32_t line = y / 60;
    const bool text_row = y >= kMargin && y + kMargin < kA4Height && y % 60 < 34;
    const std::uint32_t line_end = kA4Width - kMargin - (line * 7919 + seed * 104729) % 700;
    for (std::uint32_t x = 0; x < kA4Width; ++x) {
      int ink = 0;
      if (text_row && x >= kMargin && x < line_end && (x / 30) % 6 != 5) {
        const std::uint32_t stroke = (x + line * 3) % 9;
        ink = stroke < 3 || (y + x / 30) % 17 < 3 ? 255 : (stroke == 3 || stroke == 8 ? 110 : 0);
      }
      std::uint8_t* p = &page.pixels[(std::size_t{y} * kA4Width + x) * 4];
      const int paper[3] = {246, 243, 236};
      for (int c = 0; c < 3; ++c) {
        const int value = paper[c] - ink * (paper[c] - 30) / 255 + noise(random);
        p[c] = static_cast<std::uint8_t>(std::clamp(value, 0, 255));
      }
      p[3] = 255;
    }
  }
  return page;
}

}  // namespace scan_bench
