#include "pdf/pdf_text.hpp"

#include <cstdint>

namespace pdf {

namespace {

constexpr char32_t kInvalid = 0xFFFD;

// Decodes the character at `pos` and moves `pos` past it. A malformed
// sequence (stray continuation byte, truncated, overlong, surrogate or beyond
// U+10FFFF) yields kInvalid and consumes one byte.
char32_t next_character(std::string_view text, std::size_t& pos) {
  const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(text[i]); };
  const std::uint8_t lead = byte(pos);
  if (lead < 0x80) {
    ++pos;
    return lead;
  }
  std::size_t length = 0;
  char32_t value = 0;
  char32_t minimum = 0;
  if ((lead & 0xE0) == 0xC0) {
    length = 2;
    value = lead & 0x1F;
    minimum = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3;
    value = lead & 0x0F;
    minimum = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4;
    value = lead & 0x07;
    minimum = 0x10000;
  } else {
    ++pos;
    return kInvalid;
  }
  if (text.size() - pos < length) {
    ++pos;
    return kInvalid;
  }
  for (std::size_t i = 1; i < length; ++i) {
    const std::uint8_t next = byte(pos + i);
    if ((next & 0xC0) != 0x80) {
      ++pos;
      return kInvalid;
    }
    value = (value << 6) | (next & 0x3F);
  }
  if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
    ++pos;
    return kInvalid;
  }
  pos += length;
  return value;
}

// The Unicode White_Space property.
bool is_white_space(char32_t c) {
  return (c >= 0x09 && c <= 0x0D) || c == 0x20 || c == 0x85 || c == 0xA0 || c == 0x1680 ||
         (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x202F || c == 0x205F ||
         c == 0x3000;
}

char win_ansi_byte(char32_t c) {
  switch (c) {
    case 0x2018:
      return '\x91';
    case 0x2019:
      return '\x92';
    case 0x201C:
      return '\x93';
    case 0x201D:
      return '\x94';
    case 0x2022:
      return '\x95';
    case 0x2013:
      return '\x96';
    case 0x2014:
      return '\x97';
    case 0x2026:
      return '\x85';
    case 0x00A0:
    case 0x0009:
      return ' ';
    default:
      break;
  }
  if ((c >= 0x20 && c <= 0x7E) || (c >= 0xA1 && c <= 0xFF)) return static_cast<char>(c);
  return '?';
}

}  // namespace

bool has_visible_text(std::string_view text) {
  std::size_t pos = 0;
  while (pos < text.size()) {
    if (!is_white_space(next_character(text, pos))) return true;
  }
  return false;
}

std::string encode_pdf_text(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 8);
  std::size_t pos = 0;
  while (pos < text.size()) {
    const char b = win_ansi_byte(next_character(text, pos));
    if (b == '(' || b == ')' || b == '\\') out.push_back('\\');
    out.push_back(b);
  }
  return out;
}

}  // namespace pdf
