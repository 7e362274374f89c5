#include "printing/document_name.hpp"

#include <cstddef>
#include <cstdint>
#include <filesystem>

namespace printing {
namespace {

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool is_valid_utf8(const std::string& text) {
  std::size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<std::uint8_t>(text[i]);
    std::size_t length = 0;
    std::uint32_t code = 0;
    if (lead < 0x80) {
      ++i;
      continue;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
      length = 2;
      code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      length = 3;
      code = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4;
      code = lead & 0x07;
    } else {
      return false;
    }
    if (text.size() - i < length) return false;
    for (std::size_t k = 1; k < length; ++k) {
      const auto next = static_cast<std::uint8_t>(text[i + k]);
      if ((next & 0xC0) != 0x80) return false;
      code = (code << 6) | (next & 0x3F);
    }
    if ((length == 3 && (code < 0x800 || (code >= 0xD800 && code <= 0xDFFF))) ||
        (length == 4 && (code < 0x10000 || code > 0x10FFFF))) {
      return false;
    }
    i += length;
  }
  return true;
}

}  // namespace

std::optional<std::string> document_file_name(const std::string& path) {
  std::string name = std::filesystem::path(path).filename().string();
  // "." and ".." name directories, not a file.
  if (name.empty() || name == "." || name == ".." || !is_valid_utf8(name)) return std::nullopt;
  return name;
}

std::string document_name_for_view(const std::string& path) {
  return document_file_name(path).value_or("Selected document");
}

std::string document_name_for_notice(const std::string& path) {
  return document_file_name(path).value_or("Document");
}

}  // namespace printing
