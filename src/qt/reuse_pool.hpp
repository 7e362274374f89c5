#pragma once
// The widgets of the realization being replaced, offered for reuse by the
// fingerprint of what they show. A widget is handed out at most once, never
// when an ancestor or a descendant was handed out already (it would show a
// hole, or be shown twice).

#include <QHash>
#include <QSet>
#include <QWidget>
#include <unordered_map>

#include "qt/fingerprint.hpp"

namespace qthost {

using RealizedFingerprints = QHash<QWidget*, Fingerprint>;

class ReusePool {
 public:
  ReusePool(QWidget* old_root, const RealizedFingerprints& fingerprints);

  // A widget of the old tree showing `key`, now promised to the caller; null
  // when there is none.
  QWidget* claim(Fingerprint key);

 private:
  bool usable(QWidget* widget) const;

  QWidget* old_root_;
  std::unordered_multimap<Fingerprint, QWidget*> by_key_;
  QSet<QWidget*> claimed_;
  QSet<QWidget*> broken_;  // an ancestor of a claimed widget
};

// Hands `model`'s actions and cells to the controls of `realized`, matched in
// tree order. False (and nothing reliable) when they do not correspond.
bool rebind_controls(QWidget& realized, const ui::Widget& model);

}  // namespace qthost
