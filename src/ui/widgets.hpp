#pragma once
// The toolkit's concrete widgets: plain objects whose fields the host reads
// to realize them and tests read to check a view. Controls (buttons, toggle
// groups, dropdowns, number inputs) carry an id and an action.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/cell.hpp"
#include "ui/widget.hpp"

namespace ui {

using Bytes = std::vector<std::uint8_t>;
using SharedBytes = std::shared_ptr<const Bytes>;

// A widget that owns an ordered list of children.
class Parent : public Widget {
 public:
  std::vector<Widget*> children() override;
  using Widget::children;
  std::vector<WidgetPtr> items;
};

class Column final : public Parent {
 public:
  Kind kind() const override { return Kind::Column; }
  Column& push(WidgetPtr child);
};

class Row final : public Parent {
 public:
  Kind kind() const override { return Kind::Row; }
  Row& push(WidgetPtr child);
};

class Container final : public Parent {
 public:
  Kind kind() const override { return Kind::Container; }
  Container& with_child(WidgetPtr child);
  Widget* child() const { return items.empty() ? nullptr : items.front().get(); }
  std::optional<int> max_width;
  std::optional<int> width;
  std::optional<int> height;
  bool card_look = false;  // drawn as a card surface
};

class Scrollable final : public Parent {
 public:
  Kind kind() const override { return Kind::Scrollable; }
  Scrollable& with_child(WidgetPtr child);
  Widget* child() const { return items.empty() ? nullptr : items.front().get(); }
};

class Spacer final : public Widget {
 public:
  Kind kind() const override { return Kind::Spacer; }
};

class Text final : public Widget {
 public:
  Kind kind() const override { return Kind::Text; }
  std::string text;
  int size = 14;
  bool heavy = false;
  bool secondary = false;
};

enum class ButtonStyle { Primary, Secondary, Plain, PlainSecondary };

class Button final : public Widget {
 public:
  Kind kind() const override { return Kind::Button; }
  std::string id;
  std::string label;
  std::optional<int> icon;
  ButtonStyle style = ButtonStyle::Plain;
  int size_hint = 44;
  std::function<void()> on_action;  // empty for control-only buttons
  void activate() const {
    if (on_action) on_action();
  }
};

enum class Tone { Success, Warning, Error };

class Banner final : public Widget {
 public:
  Kind kind() const override { return Kind::Banner; }
  Tone tone = Tone::Success;
  std::string title;
  std::optional<std::string> detail;
  bool dark_theme = true;
};

// A card: either a plain card around one child, or a titled surface with an
// optional action widget and a content widget.
class Card final : public Widget {
 public:
  Kind kind() const override { return Kind::Card; }
  std::vector<Widget*> children() override;
  using Widget::children;
  std::optional<std::string> title;
  WidgetPtr action;
  WidgetPtr content;
};

class CardGrid final : public Parent {
 public:
  Kind kind() const override { return Kind::CardGrid; }
  CardGrid& push(WidgetPtr card);
  int min_card_width = 0;
  int max_card_width = 0;
};

class ProgressBar final : public Widget {
 public:
  Kind kind() const override { return Kind::ProgressBar; }
  std::optional<double> fraction;  // absent: indeterminate
  std::string label;
};

class PagePreview final : public Widget {
 public:
  Kind kind() const override { return Kind::PagePreview; }
  std::string label;
  std::uint32_t page = 1;
  std::uint32_t page_count = 1;
};

class Icon final : public Widget {
 public:
  Kind kind() const override { return Kind::Icon; }
  int number = 0;
  int size = 0;
};

// RGBA pixels, 8 bits per channel, row by row.
class Image final : public Widget {
 public:
  Kind kind() const override { return Kind::Image; }
  SharedBytes pixels;
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  std::string label;
};

struct CropSelection {
  double left = 0.0;
  double top = 0.0;
  double right = 1.0;
  double bottom = 1.0;
  friend bool operator==(const CropSelection&, const CropSelection&) = default;
};

class ImageCropEditor final : public Widget {
 public:
  Kind kind() const override { return Kind::ImageCropEditor; }
  SharedBytes pixels;  // RGBA
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  platform::Cell<CropSelection> selection;
};

// A switch bound to a boolean cell.
class Toggle final : public Widget {
 public:
  Kind kind() const override { return Kind::Toggle; }
  std::string label;
  platform::Cell<bool> value;
};

class ToggleGroup final : public Widget {
 public:
  Kind kind() const override { return Kind::ToggleGroup; }
  std::string id;
  std::string label;
  std::vector<std::string> options;
  platform::Cell<std::size_t> selected;
  // Writes the cell when the index names an option.
  bool select(std::size_t index) const;
};

struct DropdownOption {
  std::string value;
  std::string label;
};

class Dropdown final : public Widget {
 public:
  Kind kind() const override { return Kind::Dropdown; }
  std::string id;
  std::string label;
  std::string placeholder;
  std::vector<DropdownOption> options;
  std::optional<std::string> current;
  std::function<void(const std::string& value)> on_choose;
  bool choose(std::size_t index) const;
};

class NumberInput final : public Widget {
 public:
  Kind kind() const override { return Kind::NumberInput; }
  std::string id;
  std::string label;
  double min = 0;
  double max = 0;
  platform::Cell<double> value;
};

class Divider final : public Widget {
 public:
  Kind kind() const override { return Kind::Divider; }
};

}  // namespace ui
