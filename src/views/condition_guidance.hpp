#pragma once
// Printer conditions and supplies in plain language: one sentence of advice
// per reported state reason, and a labelled bar per supply.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "devices/records.hpp"
#include "ui/widgets.hpp"

namespace views {

// The advice for one state reason keyword (ASCII case folded, substring
// match, first rule wins), or the general sentence when nothing matches.
std::string_view condition_advice(std::string_view reason);

// The advice for the printer's first three state reasons, in list order,
// repeats included.
std::vector<std::string> condition_lines(const devices::PrinterQueue& printer);

// Body "{name}: {level}% remaining", gap 6, and a bar labelled "{name} level".
std::unique_ptr<ui::Column> supply_level_row(std::string_view name, std::uint8_t level);

// The lowest level among the markers that report one; absent when none does.
std::optional<std::uint8_t> lowest_supply_level(const devices::PrinterQueue& printer);

}  // namespace views
