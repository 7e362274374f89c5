#pragma once
// The widget tree as JSON, for tests and tooling: per widget its kind, control
// id, texts and labels, the numbers that shape it, and its children in order.

#include <string>

#include "ui/widget.hpp"

namespace ui {

std::string tree_to_json(const Widget& root, int indent = 1);

}  // namespace ui
