#pragma once
// A recognized word with its box in pixels of the prepared image, and the
// words of one page in reading order.

#include <cstdint>
#include <string>
#include <vector>

namespace ocr {

struct OcrWord {
  std::string text;  // trimmed, never empty
  std::uint32_t left = 0;
  std::uint32_t top = 0;
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  float confidence = 0;  // 0 to 1
  std::uint32_t page_num = 0;
  std::uint32_t block_num = 0;
  std::uint32_t par_num = 0;
  std::uint32_t line_num = 0;
  std::uint32_t word_num = 0;

  friend bool operator==(const OcrWord&, const OcrWord&) = default;
};

struct OcrResult {
  std::vector<OcrWord> words;
  std::string language;

  friend bool operator==(const OcrResult&, const OcrResult&) = default;
};

}  // namespace ocr
