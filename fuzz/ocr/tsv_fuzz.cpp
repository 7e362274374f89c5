// parse_tsv on arbitrary engine output; the first byte picks the language so
// that both the check and the parse are explored.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <tuple>

#include "ocr/tsv.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static constexpr std::string_view kLanguages[] = {"eng", "deu+eng", "", "e n"};
  if (size == 0) return 0;
  const std::string_view language = kLanguages[data[0] % 4];
  const std::string_view output(reinterpret_cast<const char*>(data + 1), size - 1);
  auto result = ocr::parse_tsv(output, language);
  if (result.ok()) {
    const auto& words = result.value().words;
    for (std::size_t i = 0; i < words.size(); ++i) {
      const auto& w = words[i];
      if (w.text.empty() || w.confidence < 0.0f || w.confidence > 1.0f) __builtin_trap();
      if (std::uint64_t{w.left} + w.width > 0xFFFFFFFFull) __builtin_trap();
      if (i > 0) {
        const auto& p = words[i - 1];
        const auto key = [](const ocr::OcrWord& x) {
          return std::tuple(x.page_num, x.block_num, x.par_num, x.line_num, x.word_num);
        };
        if (key(w) < key(p)) __builtin_trap();
      }
    }
    const std::string text = ocr::join_words(words);
    (void)text;
  }
  return 0;
}
