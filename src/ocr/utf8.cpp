#include "ocr/utf8.hpp"

#include <cstdint>
#include <cstring>

namespace ocr {
namespace {

constexpr char kReplacement[] = "\xEF\xBF\xBD";

// The length of the valid sequence starting at `p`, or 0 when the bytes there
// are not one; `bad` then says how many bytes form the maximal invalid subpart.
std::size_t valid_sequence(const unsigned char* p, std::size_t available, std::size_t& bad) {
  const unsigned char b0 = p[0];
  bad = 1;
  std::size_t length = 0;
  unsigned char low = 0x80;
  unsigned char high = 0xBF;
  if (b0 < 0x80) return 1;
  if (b0 >= 0xC2 && b0 <= 0xDF) {
    length = 2;
  } else if (b0 >= 0xE0 && b0 <= 0xEF) {
    length = 3;
    if (b0 == 0xE0) low = 0xA0;
    if (b0 == 0xED) high = 0x9F;
  } else if (b0 >= 0xF0 && b0 <= 0xF4) {
    length = 4;
    if (b0 == 0xF0) low = 0x90;
    if (b0 == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  for (std::size_t i = 1; i < length; ++i) {
    if (i >= available) return 0;
    const unsigned char lo = i == 1 ? low : 0x80;
    const unsigned char hi = i == 1 ? high : 0xBF;
    if (p[i] < lo || p[i] > hi) return 0;
    bad = i + 1;
  }
  return length;
}

bool all_ascii(const unsigned char* p) {
  std::uint64_t word;
  std::memcpy(&word, p, sizeof word);
  return (word & 0x8080808080808080ull) == 0;
}

// Where the first invalid byte is, or `size` when all of it is valid.
std::size_t first_invalid(const unsigned char* p, std::size_t size) {
  std::size_t i = 0;
  while (i < size) {
    if (i + 8 <= size && all_ascii(p + i)) {
      i += 8;
      continue;
    }
    std::size_t bad = 0;
    const std::size_t length = valid_sequence(p + i, size - i, bad);
    if (length == 0) return i;
    i += length;
  }
  return size;
}

// Decodes one character of valid UTF-8; a broken sequence reads as one
// replacement character per byte, so no read ever passes the end.
char32_t decode_at(std::string_view text, std::size_t at, std::size_t& length) {
  const auto* p = reinterpret_cast<const unsigned char*>(text.data()) + at;
  const unsigned char b0 = p[0];
  if (b0 < 0x80) {
    length = 1;
    return b0;
  }
  std::size_t bad = 0;
  if (valid_sequence(p, text.size() - at, bad) == 0) {
    length = 1;
    return 0xFFFD;
  }
  if (b0 < 0xE0) {
    length = 2;
    return (char32_t{b0 & 0x1Fu} << 6) | (p[1] & 0x3Fu);
  }
  if (b0 < 0xF0) {
    length = 3;
    return (char32_t{b0 & 0x0Fu} << 12) | (char32_t{p[1] & 0x3Fu} << 6) | (p[2] & 0x3Fu);
  }
  length = 4;
  return (char32_t{b0 & 0x07u} << 18) | (char32_t{p[1] & 0x3Fu} << 12) |
         (char32_t{p[2] & 0x3Fu} << 6) | (p[3] & 0x3Fu);
}

bool is_whitespace(char32_t c) {
  if (c == ' ' || (c >= 0x09 && c <= 0x0D)) return true;
  if (c < 0x85) return false;
  return c == 0x85 || c == 0xA0 || c == 0x1680 || (c >= 0x2000 && c <= 0x200A) || c == 0x2028 ||
         c == 0x2029 || c == 0x202F || c == 0x205F || c == 0x3000;
}

bool is_continuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

}  // namespace

std::string decode_utf8_lossy(std::string bytes) {
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  const std::size_t size = bytes.size();
  std::size_t i = first_invalid(p, size);
  if (i == size) return bytes;
  std::string out;
  out.reserve(size + size / 8);
  out.append(bytes, 0, i);
  while (i < size) {
    std::size_t bad = 0;
    const std::size_t length = valid_sequence(p + i, size - i, bad);
    if (length == 0) {
      out += kReplacement;
      i += bad;
      continue;
    }
    const std::size_t run_end = i + first_invalid(p + i, size - i);
    out.append(bytes, i, run_end - i);
    i = run_end;
  }
  return out;
}

std::string_view trim_whitespace(std::string_view text) {
  std::size_t begin = 0;
  while (begin < text.size()) {
    std::size_t length = 0;
    if (!is_whitespace(decode_at(text, begin, length))) break;
    begin += length;
  }
  std::size_t end = text.size();
  while (end > begin) {
    std::size_t start = end - 1;
    while (start > begin && is_continuation(text[start])) --start;
    std::size_t length = 0;
    if (!is_whitespace(decode_at(text, start, length))) break;
    end = start;
  }
  return text.substr(begin, end - begin);
}

std::string strip_controls(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    std::size_t length = 0;
    const char32_t c = decode_at(text, i, length);
    const bool control = c < 0x20 || (c >= 0x7F && c <= 0x9F);
    if (!control || c == '\t' || c == '\n') out.append(text, i, length);
    i += length;
  }
  return out;
}

std::string_view first_characters(std::string_view text, std::size_t count) {
  std::size_t i = 0;
  while (i < text.size() && count > 0) {
    ++i;
    while (i < text.size() && is_continuation(text[i])) ++i;
    --count;
  }
  return text.substr(0, i);
}

}  // namespace ocr
