#pragma once
// Painted surfaces: the card look and the three banner tones. A rounded
// rectangle drawn in paintEvent costs far less per rebuild than a style sheet.

#include <QColor>
#include <QWidget>

#include "ui/widgets.hpp"

namespace qthost {

class Surface final : public QWidget {
  Q_OBJECT

 public:
  enum class Look { Card, Success, Warning, Error };

  explicit Surface(Look look, QWidget* parent = nullptr);
  Look look() const { return look_; }

  static Look look_for(ui::Tone tone);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  Look look_;
};

}  // namespace qthost
