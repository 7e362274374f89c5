#pragma once
// Turns a toolkit tree into real Qt widgets. The realized widgets keep copies
// of what they need (actions, cells, pixel buffers) and never point back into
// the tree, so the tree may be replaced while they still exist.

#include <QWidget>

#include "qt/bound_control.hpp"
#include "ui/widget.hpp"

namespace qthost {

struct RealizeOptions {
  // Runs after a control ran its action or wrote its cell.
  AfterInput after_input;
  // Animations stand still (screenshots must be reproducible).
  bool frozen = false;
};

// A new parentless widget for `widget` and its subtree.
QWidget* realize(const ui::Widget& widget, const RealizeOptions& options);

// Shows every bound control's cell again.
void pull_bound_values(QWidget& realized);

}  // namespace qthost
