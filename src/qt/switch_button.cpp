#include "qt/switch_button.hpp"

#include <QPainter>

#include "ui/widgets.hpp"

#include "qt/theme.hpp"

namespace qthost {

SwitchButton::SwitchButton(platform::Cell<bool> cell, const AfterInput& after_input,
                           QWidget* parent)
    : QCheckBox(parent), cell_(std::move(cell)) {
  setChecked(cell_.get());
  setCursor(Qt::PointingHandCursor);
  connect(this, &QCheckBox::toggled, this, [this, after_input](bool on) {
    cell_.set(on);
    if (after_input) after_input();
  });
}

void SwitchButton::pull_from_cell() {
  const bool on = cell_.get();
  if (on == isChecked()) return;
  const bool blocked = blockSignals(true);
  setChecked(on);
  blockSignals(blocked);
}

bool SwitchButton::rebind(const ui::Widget& model) {
  const auto* toggle = dynamic_cast<const ui::Toggle*>(&model);
  if (!toggle) return false;
  cell_ = toggle->value;
  pull_from_cell();
  return true;
}

QSize SwitchButton::sizeHint() const { return QSize(44, 24); }

bool SwitchButton::hitButton(const QPoint& position) const { return rect().contains(position); }

void SwitchButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  const QRectF track = QRectF(0, 0, 44, 24).translated(0, (height() - 24) / 2.0);
  const QColor track_colour = isChecked() ? theme::kAccent : theme::kTrack;
  painter.setPen(Qt::NoPen);
  painter.setBrush(isEnabled() ? track_colour : track_colour.darker(150));
  painter.drawRoundedRect(track, 12, 12);
  const qreal knob_x = isChecked() ? track.right() - 21 : track.left() + 3;
  painter.setBrush(Qt::white);
  painter.drawEllipse(QRectF(knob_x, track.top() + 3, 18, 18));
  if (hasFocus()) {
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(theme::kAccent.lighter(140), 2));
    painter.drawRoundedRect(track.adjusted(-1, -1, 1, 1), 13, 13);
  }
}

}  // namespace qthost
