#pragma once
// Reading the engine's TSV output into words, and joining words into text.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "ocr/ocr_error.hpp"
#include "ocr/ocr_word.hpp"
#include "platform/result.hpp"

namespace ocr {

inline constexpr std::size_t kMaxOutputBytes = std::size_t{16} * 1024 * 1024;
inline constexpr std::size_t kMaxTextFieldBytes = 4096;
inline constexpr std::size_t kMaxWords = 250'000;

// Word rows (level 5) of a well-formed table become words, sorted stably by
// page, block, paragraph, line and word number. Malformed rows are skipped;
// only the language check and the two size limits fail the parse.
platform::Result<OcrResult, OcrError> parse_tsv(std::string_view output, std::string_view language);

// Words of one line joined by a space, lines by a line feed.
std::string join_words(const std::vector<OcrWord>& words);

}  // namespace ocr
