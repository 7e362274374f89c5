#include "ui/controls.hpp"

namespace ui {

void visit(const Widget& root, const std::function<void(const Widget&)>& visitor) {
  visitor(root);
  for (const Widget* child : root.children()) visit(*child, visitor);
}

std::string_view control_id(const Widget& widget) {
  if (auto* button = dynamic_cast<const Button*>(&widget)) return button->id;
  if (auto* group = dynamic_cast<const ToggleGroup*>(&widget)) return group->id;
  if (auto* dropdown = dynamic_cast<const Dropdown*>(&widget)) return dropdown->id;
  if (auto* input = dynamic_cast<const NumberInput*>(&widget)) return input->id;
  return {};
}

const Widget* find_control(const Widget& root, std::string_view id) {
  if (!id.empty() && control_id(root) == id) return &root;
  for (const Widget* child : root.children()) {
    if (const Widget* found = find_control(*child, id)) return found;
  }
  return nullptr;
}

Widget* find_control(Widget& root, std::string_view id) {
  return const_cast<Widget*>(find_control(static_cast<const Widget&>(root), id));
}

bool invoke(Widget& root, std::string_view id) {
  auto* button = dynamic_cast<Button*>(find_control(root, id));
  if (!button) return false;
  button->activate();
  return true;
}

bool select(Widget& root, std::string_view id, std::size_t index) {
  Widget* control = find_control(root, id);
  if (auto* group = dynamic_cast<ToggleGroup*>(control)) return group->select(index);
  if (auto* dropdown = dynamic_cast<Dropdown*>(control)) return dropdown->choose(index);
  return false;
}

std::vector<std::string> texts(const Widget& root) {
  std::vector<std::string> out;
  visit(root, [&](const Widget& widget) {
    if (auto* text = dynamic_cast<const Text*>(&widget)) {
      out.push_back(text->text);
    } else if (auto* button = dynamic_cast<const Button*>(&widget)) {
      out.push_back(button->label);
    } else if (auto* banner = dynamic_cast<const Banner*>(&widget)) {
      out.push_back(banner->title);
      if (banner->detail) out.push_back(*banner->detail);
    } else if (auto* card = dynamic_cast<const Card*>(&widget)) {
      if (card->title) out.push_back(*card->title);
    } else if (auto* bar = dynamic_cast<const ProgressBar*>(&widget)) {
      out.push_back(bar->label);
    } else if (auto* preview = dynamic_cast<const PagePreview*>(&widget)) {
      out.push_back(preview->label);
    } else if (auto* image = dynamic_cast<const Image*>(&widget)) {
      out.push_back(image->label);
    } else if (auto* group = dynamic_cast<const ToggleGroup*>(&widget)) {
      out.push_back(group->label);
      for (const auto& option : group->options) out.push_back(option);
    } else if (auto* dropdown = dynamic_cast<const Dropdown*>(&widget)) {
      out.push_back(dropdown->label);
      out.push_back(dropdown->placeholder);
      for (const auto& option : dropdown->options) out.push_back(option.label);
    } else if (auto* input = dynamic_cast<const NumberInput*>(&widget)) {
      out.push_back(input->label);
    } else if (auto* toggle = dynamic_cast<const Toggle*>(&widget)) {
      if (!toggle->label.empty()) out.push_back(toggle->label);
    }
  });
  return out;
}

}  // namespace ui
