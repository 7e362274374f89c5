#include "ui/widgets.hpp"

namespace ui {

std::vector<Widget*> Parent::children() {
  std::vector<Widget*> out;
  out.reserve(items.size());
  for (auto& item : items) out.push_back(item.get());
  return out;
}

Column& Column::push(WidgetPtr child) {
  items.push_back(std::move(child));
  return *this;
}

Row& Row::push(WidgetPtr child) {
  items.push_back(std::move(child));
  return *this;
}

Container& Container::with_child(WidgetPtr child) {
  items.clear();
  items.push_back(std::move(child));
  return *this;
}

Scrollable& Scrollable::with_child(WidgetPtr child) {
  items.clear();
  items.push_back(std::move(child));
  return *this;
}

std::vector<Widget*> Card::children() {
  std::vector<Widget*> out;
  if (action) out.push_back(action.get());
  if (content) out.push_back(content.get());
  return out;
}

CardGrid& CardGrid::push(WidgetPtr card) {
  items.push_back(std::move(card));
  return *this;
}

bool ToggleGroup::select(std::size_t index) const {
  if (index >= options.size()) return false;
  selected.set(index);
  return true;
}

bool Dropdown::choose(std::size_t index) const {
  if (index >= options.size()) return false;
  if (on_choose) on_choose(options[index].value);
  return true;
}

}  // namespace ui
