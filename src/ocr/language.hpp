#pragma once
// The engine's language specification ("eng", "deu+eng", "chi_sim") goes onto
// its command line, so only a narrow alphabet passes.

#include <string_view>

namespace ocr {

// 1 to 64 bytes of ASCII letters, digits, '+', '-' and '_', beginning and
// ending with a letter or digit.
bool is_valid_language(std::string_view code);

}  // namespace ocr
