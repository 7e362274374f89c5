#include "qt/reuse_pool.hpp"

#include <vector>

#include "qt/rebindable.hpp"
#include "ui/controls.hpp"

namespace qthost {

ReusePool::ReusePool(QWidget* old_root, const RealizedFingerprints& fingerprints)
    : old_root_(old_root) {
  by_key_.reserve(static_cast<std::size_t>(fingerprints.size()));
  for (auto it = fingerprints.constBegin(); it != fingerprints.constEnd(); ++it) {
    by_key_.emplace(it.value(), it.key());
  }
}

bool ReusePool::usable(QWidget* widget) const {
  if (broken_.contains(widget)) return false;
  for (QWidget* at = widget; at; at = at->parentWidget()) {
    if (claimed_.contains(at)) return false;
    if (at == old_root_) return true;
  }
  return false;
}

QWidget* ReusePool::claim(Fingerprint key) {
  auto [first, last] = by_key_.equal_range(key);
  auto chosen = last;
  for (auto it = first; it != last; ++it) {
    QWidget* widget = it->second;
    if (!usable(widget)) continue;
    // Best a widget whose surroundings are being taken apart anyway: taking
    // one out of an intact card would keep that card from being kept whole.
    QWidget* parent = widget->parentWidget();
    if (widget == old_root_ || parent == old_root_ || broken_.contains(parent)) {
      chosen = it;
      break;
    }
    if (chosen == last) chosen = it;
  }
  if (chosen == last) return nullptr;
  QWidget* widget = chosen->second;
  by_key_.erase(chosen);
  claimed_.insert(widget);
  for (QWidget* above = widget; above != old_root_ && above->parentWidget();) {
    above = above->parentWidget();
    broken_.insert(above);
  }
  return widget;
}

bool rebind_controls(QWidget& realized, const ui::Widget& model) {
  std::vector<const ui::Widget*> models;
  ui::visit(model, [&](const ui::Widget& node) {
    if (is_rebindable_kind(node.kind())) models.push_back(&node);
  });
  std::vector<Rebindable*> controls;
  if (auto* own = dynamic_cast<Rebindable*>(&realized)) controls.push_back(own);
  if (!models.empty()) {
    for (QWidget* child : realized.findChildren<QWidget*>()) {
      if (auto* control = dynamic_cast<Rebindable*>(child)) controls.push_back(control);
    }
  }
  if (controls.size() != models.size()) return false;
  for (std::size_t i = 0; i < controls.size(); ++i) {
    if (!controls[i]->rebind(*models[i])) return false;
  }
  return true;
}

}  // namespace qthost
