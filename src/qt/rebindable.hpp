#pragma once
// A realized control that can take over the action or cell of another tree
// node showing exactly the same thing. A rebuild reuses the Qt widgets of
// unchanged parts of the tree; their controls must then act for the new
// tree (a button's message may name another document even when its label
// is the same).

#include "ui/widget.hpp"

namespace qthost {

class Rebindable {
 public:
  virtual ~Rebindable() = default;
  // False when `model` is not the kind of node this control shows.
  virtual bool rebind(const ui::Widget& model) = 0;
};

// Whether a tree node becomes a Rebindable control.
inline bool is_rebindable_kind(ui::Kind kind) {
  switch (kind) {
    case ui::Kind::Button:
    case ui::Kind::Toggle:
    case ui::Kind::ToggleGroup:
    case ui::Kind::Dropdown:
    case ui::Kind::NumberInput:
    case ui::Kind::ImageCropEditor:
      return true;
    default:
      return false;
  }
}

}  // namespace qthost
