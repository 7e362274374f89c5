#pragma once
// The progress bar: a slim track with a fill for a known fraction, or a
// moving segment when the fraction is unknown. It paints itself so the moving
// segment can be frozen for screenshots; QProgressBar underneath keeps the
// value and the accessible role.

#include <QProgressBar>
#include <QTimer>
#include <optional>

namespace qthost {

class BusyBar final : public QProgressBar {
  Q_OBJECT

 public:
  static constexpr int kSteps = 1000;

  // A fraction outside 0 to 1 is clamped (QProgressBar would silently ignore
  // it); NaN counts as 0. No fraction means indeterminate.
  BusyBar(std::optional<double> fraction, bool frozen, QWidget* parent = nullptr);

  bool indeterminate() const { return maximum() == 0; }
  static int steps_for(double fraction);

  QSize sizeHint() const override { return QSize(200, 8); }
  QSize minimumSizeHint() const override { return QSize(40, 8); }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  QTimer timer_;
  int phase_ = 0;
  bool frozen_;
};

}  // namespace qthost
