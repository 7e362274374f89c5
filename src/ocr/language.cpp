#include "ocr/language.hpp"

namespace ocr {
namespace {
bool is_alnum(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}
}  // namespace

bool is_valid_language(std::string_view code) {
  if (code.empty() || code.size() > 64) return false;
  if (!is_alnum(code.front()) || !is_alnum(code.back())) return false;
  for (char c : code) {
    if (!is_alnum(c) && c != '+' && c != '-' && c != '_') return false;
  }
  return true;
}

}  // namespace ocr
