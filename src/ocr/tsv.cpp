#include "ocr/tsv.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <optional>
#include <tuple>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "ocr/language.hpp"
#include "ocr/utf8.hpp"

namespace ocr {
namespace {

constexpr std::size_t kFields = 12;

// Digits only, one optional leading plus sign, within 32 bits.
bool parse_u32(std::string_view field, std::uint32_t& out) {
  if (!field.empty() && field.front() == '+') field.remove_prefix(1);
  if (field.empty()) return false;
  std::uint64_t value = 0;
  for (char c : field) {
    const auto digit = static_cast<unsigned>(c - '0');
    if (digit > 9) return false;
    value = value * 10 + digit;
    if (value > 0xFFFFFFFFull) return false;
  }
  out = static_cast<std::uint32_t>(value);
  return true;
}

// A 32-bit float in the usual spellings (sign, exponent, "inf", "nan"); a
// field that is not a number reads as -1.
float parse_confidence(std::string_view field) {
  if (!field.empty() && field.front() == '+') {
    field.remove_prefix(1);
    if (field.empty() || field.front() == '+' || field.front() == '-') return -1.0f;
  }
  const char* begin = field.data();
  const char* end = begin + field.size();
  float value = 0;
  auto [ptr, ec] = std::from_chars(begin, end, value);
  if (ec == std::errc::result_out_of_range && ptr == end) {
    // Too small for a float is zero, too large is infinite (and then refused).
    double wide = 0;
    auto [wide_ptr, wide_ec] = std::from_chars(begin, end, wide);
    if (wide_ec == std::errc() && wide_ptr == end) return static_cast<float>(wide);
    return -1.0f;
  }
  if (ec != std::errc() || ptr != end) return -1.0f;
  return value;
}

// Where each of the 12 fields starts and ends in its line. Left
// uninitialized: split_row sets every entry before any is read, and clearing
// it for each of a quarter million rows showed in the profile.
struct Row {
  const char* line;
  std::uint32_t begin[kFields];
  std::uint32_t end[kFields];
  std::string_view field(std::size_t i) const { return {line + begin[i], end[i] - begin[i]}; }
};

// Splits a line into exactly 12 tab-separated fields. Tabs are found 16
// bytes at a time where the processor allows it: a byte-by-byte scan spends
// most of its time on mispredicted branches, one per field.
bool split_row(std::string_view line, Row& row) {
  if (line.size() > 0xFFFFFFFFu) return false;
  const char* data = line.data();
  const auto size = static_cast<std::uint32_t>(line.size());
  row.line = data;
  std::size_t field = 0;
  std::uint32_t start = 0;
  const auto tab_at = [&](std::uint32_t at) {
    if (field == kFields - 1) return false;
    row.begin[field] = start;
    row.end[field] = at;
    ++field;
    start = at + 1;
    return true;
  };
  std::uint32_t i = 0;
#if defined(__SSE2__)
  const __m128i tabs = _mm_set1_epi8('\t');
  for (; size - i >= 16; i += 16) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i));
    auto mask = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, tabs)));
    while (mask != 0) {
      if (!tab_at(i + static_cast<std::uint32_t>(__builtin_ctz(mask)))) return false;
      mask &= mask - 1;
    }
  }
#endif
  for (; i < size; ++i) {
    if (data[i] == '\t' && !tab_at(i)) return false;
  }
  if (field != kFields - 1) return false;
  row.begin[field] = start;
  row.end[field] = size;
  return true;
}

std::optional<OcrWord> word_from(std::string_view line) {
  // Only word rows count; checking the level first skips most other rows cheaply.
  if (line.size() < 2 || line[0] != '5' || line[1] != '\t') return std::nullopt;
  Row row;
  if (!split_row(line, row)) return std::nullopt;
  const std::string_view raw_text = row.field(11);
  if (raw_text.size() > kMaxTextFieldBytes) return std::nullopt;
  const std::string_view text = trim_whitespace(raw_text);
  if (text.empty()) return std::nullopt;

  std::uint32_t numbers[9];
  for (std::size_t i = 0; i < 9; ++i) {
    if (!parse_u32(row.field(i + 1), numbers[i])) return std::nullopt;
  }
  const std::uint64_t right = std::uint64_t{numbers[5]} + numbers[7];
  const std::uint64_t bottom = std::uint64_t{numbers[6]} + numbers[8];
  if (right > 0xFFFFFFFFull || bottom > 0xFFFFFFFFull) return std::nullopt;

  const float confidence = parse_confidence(row.field(10));
  if (!std::isfinite(confidence) || confidence < 0.0f) return std::nullopt;

  OcrWord word;
  word.text.assign(text);
  word.page_num = numbers[0];
  word.block_num = numbers[1];
  word.par_num = numbers[2];
  word.line_num = numbers[3];
  word.word_num = numbers[4];
  word.left = numbers[5];
  word.top = numbers[6];
  word.width = numbers[7];
  word.height = numbers[8];
  word.confidence = std::min(std::max(0.0f, confidence / 100.0f), 1.0f);
  return word;
}

auto order_key(const OcrWord& w) {
  return std::tie(w.page_num, w.block_num, w.par_num, w.line_num, w.word_num);
}

bool same_line(const OcrWord& a, const OcrWord& b) {
  return a.page_num == b.page_num && a.block_num == b.block_num && a.par_num == b.par_num &&
         a.line_num == b.line_num;
}

}  // namespace

platform::Result<OcrResult, OcrError> parse_tsv(std::string_view output,
                                                std::string_view language) {
  if (!is_valid_language(language))
    return platform::err(ocr_error(OcrError::Kind::InvalidLanguage));
  if (output.size() > kMaxOutputBytes) {
    return platform::err(ocr_error(OcrError::Kind::Engine, kOutputOverLimit));
  }

  OcrResult result;
  result.language.assign(language);
  // A word row takes at least 24 bytes; reserving for that many words (up to
  // the limit) spares the copies of a growing list.
  result.words.reserve(std::min(kMaxWords, output.size() / 24));
  std::size_t at = 0;
  bool header = true;
  while (at < output.size()) {
    const void* newline = std::memchr(output.data() + at, '\n', output.size() - at);
    const std::size_t end =
        newline ? static_cast<std::size_t>(static_cast<const char*>(newline) - output.data())
                : output.size();
    std::string_view line = output.substr(at, end - at);
    if (newline && !line.empty() && line.back() == '\r') line.remove_suffix(1);
    at = end + 1;
    if (header) {
      header = false;
      continue;
    }
    auto word = word_from(line);
    if (!word) continue;
    if (result.words.size() >= kMaxWords) {
      return platform::err(ocr_error(OcrError::Kind::Engine, kTooManyWords));
    }
    result.words.push_back(std::move(*word));
  }

  auto by_key = [](const OcrWord& a, const OcrWord& b) { return order_key(a) < order_key(b); };
  // The engine lists words in reading order already; sorting is then a check.
  if (!std::is_sorted(result.words.begin(), result.words.end(), by_key)) {
    std::stable_sort(result.words.begin(), result.words.end(), by_key);
  }
  return result;
}

std::string join_words(const std::vector<OcrWord>& words) {
  std::size_t size = 0;
  for (const auto& word : words) size += word.text.size() + 1;
  std::string text;
  text.reserve(size);
  for (std::size_t i = 0; i < words.size(); ++i) {
    if (i > 0) text += same_line(words[i], words[i - 1]) ? ' ' : '\n';
    text += words[i].text;
  }
  return text;
}

}  // namespace ocr
