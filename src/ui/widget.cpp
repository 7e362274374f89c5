#include "ui/widget.hpp"

namespace ui {

std::string_view kind_name(Kind kind) {
  switch (kind) {
    case Kind::Column:
      return "Column";
    case Kind::Row:
      return "Row";
    case Kind::Container:
      return "Container";
    case Kind::Scrollable:
      return "Scrollable";
    case Kind::Spacer:
      return "Spacer";
    case Kind::Text:
      return "Text";
    case Kind::Button:
      return "Button";
    case Kind::Banner:
      return "Banner";
    case Kind::Card:
      return "Card";
    case Kind::CardGrid:
      return "CardGrid";
    case Kind::ProgressBar:
      return "ProgressBar";
    case Kind::PagePreview:
      return "PagePreview";
    case Kind::Icon:
      return "Icon";
    case Kind::Image:
      return "Image";
    case Kind::ImageCropEditor:
      return "ImageCropEditor";
    case Kind::Toggle:
      return "Toggle";
    case Kind::ToggleGroup:
      return "ToggleGroup";
    case Kind::Dropdown:
      return "Dropdown";
    case Kind::NumberInput:
      return "NumberInput";
    case Kind::Divider:
      return "Divider";
    case Kind::Custom:
      return "Custom";
  }
  return "Widget";
}

std::vector<const Widget*> Widget::children() const {
  auto mutable_children = const_cast<Widget*>(this)->children();
  return {mutable_children.begin(), mutable_children.end()};
}

void Widget::sync(Context& context) {
  for (Widget* child : children()) child->sync(context);
}

bool Widget::update(Context& context) {
  bool changed = false;
  for (Widget* child : children()) changed = child->update(context) || changed;
  return changed;
}

bool Widget::needs_idle_sync() const {
  for (const Widget* child : children()) {
    if (child->needs_idle_sync()) return true;
  }
  return false;
}

std::set<std::string> Widget::resource_operation_handlers() const {
  auto own = own_operation_names();
  std::set<std::string> names(own.begin(), own.end());
  for (const Widget* child : children()) names.merge(child->resource_operation_handlers());
  return names;
}

std::vector<Resource> Widget::resources() const {
  std::vector<Resource> all;
  for (const Widget* child : children()) {
    auto more = child->resources();
    all.insert(all.end(), std::make_move_iterator(more.begin()),
               std::make_move_iterator(more.end()));
  }
  return all;
}

OperationOutcome Widget::resource_operation(std::uint8_t execution_kind, std::string_view name,
                                            std::string_view payload) {
  for (Widget* child : children()) {
    auto outcome = child->resource_operation(execution_kind, name, payload);
    if (outcome.status != OperationOutcome::Status::NotHandled) return outcome;
  }
  return OperationOutcome::not_handled();
}

bool Widget::take_structure_dirty() {
  bool dirty = false;
  for (Widget* child : children()) dirty = child->take_structure_dirty() || dirty;
  return dirty;
}

}  // namespace ui
