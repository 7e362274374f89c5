#pragma once
// Turns a toolkit tree into real Qt widgets. The realized widgets keep copies
// of what they need (actions, cells, pixel buffers) and never point back into
// the tree, so the tree may be replaced while they still exist.
//
// A rebuild hands over the previous realization: every part of the new tree
// that shows exactly what an old widget shows takes that widget over (its
// controls rebound to the new tree's actions and cells) instead of creating
// it again. Creating and laying out Qt widgets is what a rebuild costs.

#include <QWidget>

#include "qt/bound_control.hpp"
#include "qt/reuse_pool.hpp"
#include "ui/widget.hpp"

namespace qthost {

struct RealizeOptions {
  // Runs after a control ran its action or wrote its cell.
  AfterInput after_input;
  // Animations stand still (screenshots must be reproducible).
  bool frozen = false;
};

struct Realization {
  QWidget* root = nullptr;
  // Every realized widget that may be reused, by what it shows.
  RealizedFingerprints fingerprints;
  int reused = 0;   // subtrees taken over from the previous realization
  int created = 0;  // nodes realized afresh
};

// Realizes `tree`, taking widgets over from `previous` where possible (null:
// everything afresh). Widgets of `previous` that were not taken over stay
// where they are; the caller deletes the old root.
Realization realize_tree(const ui::Widget& tree, const RealizeOptions& options,
                         const Realization* previous);

// A new parentless widget for `widget` and its subtree.
QWidget* realize(const ui::Widget& widget, const RealizeOptions& options);

// Shows every bound control's cell again.
void pull_bound_values(QWidget& realized);

}  // namespace qthost
