#include "scan/blank_text.hpp"

#include <cstdint>

namespace scan {
namespace {

bool is_white_space(char32_t c) {
  return (c >= 0x09 && c <= 0x0D) || c == 0x20 || c == 0x85 || c == 0xA0 || c == 0x1680 ||
         (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x202F || c == 0x205F ||
         c == 0x3000;
}

// Decodes one code point at `i` and advances past it. Malformed sequences
// count as one non-space character of one byte.
char32_t next_code_point(std::string_view s, std::size_t& i) {
  const auto lead = static_cast<unsigned char>(s[i]);
  std::size_t length = 1;
  char32_t value = lead;
  if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    value = lead & 0x07;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    value = lead & 0x0F;
  } else if (lead >= 0xC2 && lead < 0xE0) {
    length = 2;
    value = lead & 0x1F;
  } else if (lead >= 0x80) {
    ++i;
    return 0xFFFD;
  }
  if (length > 1) {
    if (i + length > s.size()) {
      ++i;
      return 0xFFFD;
    }
    for (std::size_t k = 1; k < length; ++k) {
      const auto byte = static_cast<unsigned char>(s[i + k]);
      if ((byte & 0xC0) != 0x80) {
        ++i;
        return 0xFFFD;
      }
      value = (value << 6) | (byte & 0x3F);
    }
  }
  i += length;
  return value;
}

}  // namespace

bool is_blank(std::string_view utf8) {
  std::size_t i = 0;
  while (i < utf8.size()) {
    if (!is_white_space(next_code_point(utf8, i))) return false;
  }
  return true;
}

std::string first_characters(std::string_view utf8, std::size_t count) {
  std::size_t i = 0;
  for (std::size_t seen = 0; seen < count && i < utf8.size(); ++seen) next_code_point(utf8, i);
  return std::string(utf8.substr(0, i));
}

}  // namespace scan
