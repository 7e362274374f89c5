#include "views/condition_guidance.hpp"

#include <algorithm>
#include <array>
#include <cstddef>

#include "views/blocks.hpp"

namespace views {

namespace {

struct AdviceRule {
  std::array<std::string_view, 2> keywords;  // an empty slot is unused
  std::string_view advice;
};

// Order matters: "toner-low" must win over "offline" in a reason that holds
// both, and every reason is tested against the rules top to bottom.
constexpr std::array<AdviceRule, 6> kRules{{
    {{"media-empty", "out-of-paper"}, "Add paper to continue."},
    {{"jam", {}}, "Clear the paper jam, then resume the printer."},
    {{"cover-open", "door-open"}, "Close the printer cover."},
    {{"toner-low", "marker-supply-low"},
     "A supply is running low; printing can usually continue for now."},
    {{"toner-empty", "marker-supply-empty"}, "Replace the empty supply to continue."},
    {{"offline", "not-connected"}, "Check that the printer is awake and connected."},
}};

constexpr std::string_view kGeneralAdvice =
    "The printer reported a condition that may need attention.";

constexpr std::size_t kMaxConditionLines = 3;

std::string ascii_lowercase(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

}  // namespace

std::string_view condition_advice(std::string_view reason) {
  const std::string folded = ascii_lowercase(reason);
  for (const auto& rule : kRules) {
    for (std::string_view keyword : rule.keywords) {
      if (!keyword.empty() && folded.find(keyword) != std::string::npos) return rule.advice;
    }
  }
  return kGeneralAdvice;
}

std::vector<std::string> condition_lines(const devices::PrinterQueue& printer) {
  std::vector<std::string> lines;
  const std::size_t count = std::min(printer.state_reasons.size(), kMaxConditionLines);
  for (std::size_t i = 0; i < count; ++i) {
    lines.emplace_back(condition_advice(printer.state_reasons[i]));
  }
  return lines;
}

std::unique_ptr<ui::Column> supply_level_row(std::string_view name, std::uint8_t level) {
  auto row = std::make_unique<ui::Column>();
  row->push(body_text(std::string(name) + ": " + std::to_string(level) + "% remaining"));
  row->push(gap(6));
  row->push(progress_bar(static_cast<float>(level) / 100.0f, std::string(name) + " level"));
  return row;
}

std::optional<std::uint8_t> lowest_supply_level(const devices::PrinterQueue& printer) {
  if (!printer.markers) return std::nullopt;
  std::optional<std::uint8_t> lowest;
  for (const auto& marker : *printer.markers) {
    if (marker.level && (!lowest || *marker.level < *lowest)) lowest = marker.level;
  }
  return lowest;
}

}  // namespace views
