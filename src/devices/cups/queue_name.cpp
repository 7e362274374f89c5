#include "devices/cups/queue_name.hpp"

#include <charconv>

namespace devices::cups {
namespace {

constexpr std::size_t kMaxQueueName = 127;

bool refused(unsigned char c) {
  return c <= ' ' || c == 127 || c == '/' || c == '\\' || c == '?' || c == '\'' || c == '"' ||
         c == '#' || c == '@';
}

int hex_value(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

bool is_valid_queue_name(std::string_view name) {
  if (name.empty() || name.size() > kMaxQueueName) return false;
  for (const char c : name) {
    if (refused(static_cast<unsigned char>(c))) return false;
  }
  return true;
}

std::string queue_name_for(std::string_view advertised) {
  std::string name;
  bool pending_separator = false;
  for (const char c : advertised) {
    if (refused(static_cast<unsigned char>(c)) || c == '_') {
      pending_separator = !name.empty();
      continue;
    }
    if (pending_separator) name += '_';
    pending_separator = false;
    name += c;
  }
  if (name.size() > kMaxQueueName) {
    std::size_t cut = kMaxQueueName;
    // Step back over UTF-8 continuation bytes so no character is split.
    while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80) --cut;
    name.resize(cut);
    while (!name.empty() && name.back() == '_') name.pop_back();
  }
  return name.empty() ? "Printer" : name;
}

std::string job_id(std::string_view queue, int number) {
  return std::string(queue) + "-" + std::to_string(number);
}

std::optional<int> job_number(std::string_view id) {
  const auto dash = id.rfind('-');
  if (dash == std::string_view::npos || !is_valid_queue_name(id.substr(0, dash))) {
    return std::nullopt;
  }
  const std::string_view digits = id.substr(dash + 1);
  if (digits.empty()) return std::nullopt;
  int number = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
  if (error != std::errc() || end != digits.data() + digits.size() || number <= 0) {
    return std::nullopt;
  }
  return number;
}

std::string queue_of_printer_uri(std::string_view uri) {
  const auto slash = uri.rfind('/');
  const std::string_view raw = slash == std::string_view::npos ? uri : uri.substr(slash + 1);
  std::string name;
  for (std::size_t i = 0; i < raw.size(); ++i) {
    if (raw[i] == '%' && i + 2 < raw.size()) {
      const int high = hex_value(raw[i + 1]);
      const int low = hex_value(raw[i + 2]);
      if (high >= 0 && low >= 0) {
        name += static_cast<char>(high * 16 + low);
        i += 2;
        continue;
      }
    }
    name += raw[i];
  }
  return name;
}

}  // namespace devices::cups
