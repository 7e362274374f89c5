#include "qt/action_button.hpp"

#include <algorithm>

#include "qt/icons.hpp"
#include "qt/theme.hpp"

namespace qthost {
namespace {
constexpr int kIconSize = 20;
// Fusion's buttons hug their label; a little air reads as a button.
constexpr int kExtraWidth = 16;
}  // namespace

ActionButton::ActionButton(const ui::Button& model, AfterInput after_input, QWidget* parent)
    : QPushButton(QString::fromStdString(model.label), parent), action_(model.on_action) {
  setObjectName(QString::fromStdString(model.id));
  setAccessibleName(text());
  setMinimumHeight(std::max(0, model.size_hint));
  setCursor(Qt::PointingHandCursor);
  if (model.icon) {
    setIcon(qthost::icon(*model.icon));
    setIconSize(QSize(kIconSize, kIconSize));
  }
  setMinimumWidth(sizeHint().width() + kExtraWidth);
  switch (model.style) {
    case ui::ButtonStyle::Secondary:
    case ui::ButtonStyle::PlainSecondary:
      theme::use_accent_button(*this);
      break;
    case ui::ButtonStyle::Primary:
    case ui::ButtonStyle::Plain:
      break;
  }
  connect(this, &QPushButton::clicked, this, [this, after = std::move(after_input)] {
    // A copy: the action may lead to this button being rebound.
    const auto action = action_;
    if (action) action();
    if (after) after();
  });
}

bool ActionButton::rebind(const ui::Widget& model) {
  const auto* button = dynamic_cast<const ui::Button*>(&model);
  if (!button) return false;
  action_ = button->on_action;
  return true;
}

}  // namespace qthost
