#pragma once
// A switch bound to a boolean cell. It stays a QCheckBox underneath so
// assistive technology sees a checkable control with its state.

#include <QCheckBox>

#include "platform/cell.hpp"
#include "qt/bound_control.hpp"
#include "qt/rebindable.hpp"

namespace qthost {

class SwitchButton final : public QCheckBox, public BoundControl, public Rebindable {
  Q_OBJECT

 public:
  SwitchButton(platform::Cell<bool> cell, const AfterInput& after_input, QWidget* parent = nullptr);

  void pull_from_cell() override;
  bool rebind(const ui::Widget& model) override;
  QSize sizeHint() const override;
  QSize minimumSizeHint() const override { return sizeHint(); }

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool hitButton(const QPoint& position) const override;

 private:
  platform::Cell<bool> cell_;
};

}  // namespace qthost
