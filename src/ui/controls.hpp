#pragma once
// Looking up controls by id and driving them, the way the desktop's
// "qiro.ui.control.invoke" and "qiro.ui.segmented.select" requests do.

#include <cstddef>
#include <functional>
#include <string_view>
#include <vector>

#include "ui/widgets.hpp"

namespace ui {

// The first control (button, toggle group, dropdown, number input) with this
// id, in depth-first order, or null.
Widget* find_control(Widget& root, std::string_view id);
const Widget* find_control(const Widget& root, std::string_view id);

// Every widget of the tree in depth-first order, the root first.
void visit(const Widget& root, const std::function<void(const Widget&)>& visitor);

template <typename T>
std::vector<const T*> find_all(const Widget& root) {
  std::vector<const T*> found;
  visit(root, [&](const Widget& widget) {
    if (auto* typed = dynamic_cast<const T*>(&widget)) found.push_back(typed);
  });
  return found;
}

// The id of a control, empty for other widgets.
std::string_view control_id(const Widget& widget);

// Activates the button with this id. False when there is no such button.
bool invoke(Widget& root, std::string_view id);
// Selects option `index` of the toggle group (or dropdown) with this id.
bool select(Widget& root, std::string_view id, std::size_t index);

// All texts of the tree in order (texts, labels, titles), for tests.
std::vector<std::string> texts(const Widget& root);

}  // namespace ui
