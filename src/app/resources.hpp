#pragma once
// The resources and actions Orvane publishes to the desktop.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/snapshot.hpp"
#include "ui/resource.hpp"

namespace app {

// An action that calls "orvane.operation" with `payload` as a JSON string.
std::optional<ui::ActionSpec> operation_action(std::string id, std::string label,
                                               std::uint8_t execution_kind,
                                               std::string_view payload);

// Each byte as two lowercase hexadecimal digits.
std::string hex_id(std::string_view text);

// The application resource, with a child per printer, document and scanner
// of the snapshot's lists that were read without error.
std::vector<ui::Resource> build_resources(const std::optional<Snapshot>& snapshot);

}  // namespace app
