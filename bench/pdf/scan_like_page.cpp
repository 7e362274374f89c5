#include "scan_like_page.hpp"

#include <algorithm>
#include <random>
#include <string>

namespace pdf_bench {

namespace {

constexpr std::uint32_t kMargin = 240;
constexpr std::uint32_t kLineHeight = 60;
constexpr std::uint32_t kGlyphHeight = 34;

// Ink coverage (0 to 255) of a glyph-like mark at (x, y) inside its box:
// vertical strokes with a soft edge, as antialiased scans of print look.
std::uint8_t ink_at(std::uint32_t x, std::uint32_t y, std::uint32_t glyph) {
  const std::uint32_t stroke = (x + glyph * 3) % 9;
  const bool bar = (y + glyph) % 17 < 3;
  if (stroke < 3 || bar) return 255;
  if (stroke == 3 || stroke == 8) return 110;
  return 0;
}

}  // namespace

pdf::PdfPage scan_like_page(std::uint32_t seed, std::uint32_t width, std::uint32_t height) {
  pdf::PdfPage page;
  page.width = width;
  page.height = height;
  page.rgb.resize(std::size_t{width} * height * 3);
  std::mt19937 random(seed);

  for (std::uint32_t y = 0; y < height; ++y) {
    std::uint8_t* row = page.rgb.data() + std::size_t{y} * width * 3;
    const std::uint32_t line = y / kLineHeight;
    const std::uint32_t in_line = y % kLineHeight;
    const bool text_row = y >= kMargin && y + kMargin < height && in_line < kGlyphHeight;
    // Each line ends at its own place, as paragraphs do.
    const std::uint32_t line_end = width - kMargin - (line * 7919 + seed * 104729) % 700;
    std::uint32_t noise = random();
    for (std::uint32_t x = 0; x < width; ++x) {
      std::uint32_t ink = 0;
      if (text_row && x >= kMargin && x < line_end) {
        const std::uint32_t word = (x - kMargin) / 150;
        const std::uint32_t in_word = (x - kMargin) % 150;
        const std::uint32_t word_length = 80 + (word * 31 + line * 17 + seed) % 60;
        if (in_word < word_length) ink = ink_at(x, in_line, word + line * 13);
      }
      // Light sensor noise: about one pixel in eight is off by one or two.
      if ((x & 7) == 0) noise = random();
      const int jitter = (noise >> ((x & 7) * 4) & 0xF) == 0 ? 1 + (noise & 1) : 0;
      const int paper[3] = {247, 245, 240};
      const int dark[3] = {38, 36, 40};
      for (int c = 0; c < 3; ++c) {
        const int value = paper[c] + (dark[c] - paper[c]) * static_cast<int>(ink) / 255 - jitter;
        row[std::size_t{x} * 3 + c] = static_cast<std::uint8_t>(std::clamp(value, 0, 255));
      }
    }
  }

  const std::string words[] = {"the",    "printer", "scanner", "document", "page",   "“quoted”",
                               "résumé", "(draft)", "invoice", "2024",     "total:", "—"};
  for (std::uint32_t i = 0; page.text.size() < 3000; ++i) {
    page.text += words[(i * 7 + seed) % std::size(words)];
    page.text += i % 12 == 11 ? "\n" : " ";
  }
  return page;
}

}  // namespace pdf_bench
