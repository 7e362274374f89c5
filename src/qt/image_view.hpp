#pragma once
// An image of RGBA pixels, scaled to fit its box with the aspect kept.

#include <QWidget>

#include "qt/rgba_image.hpp"

namespace qthost {

class ImageView final : public QWidget {
  Q_OBJECT

 public:
  ImageView(const ui::Image& image, QWidget* parent = nullptr);

  bool has_image() const { return !image_.is_null(); }
  QSize sizeHint() const override;
  QSize minimumSizeHint() const override { return QSize(32, 32); }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  ScaledImage image_;
};

}  // namespace qthost
