#include "qt/image_view.hpp"

#include <QPainter>

#include "qt/theme.hpp"

namespace qthost {

ImageView::ImageView(const ui::Image& image, QWidget* parent)
    : QWidget(parent), image_(wrap_rgba(image.pixels, image.width, image.height)) {
  setAccessibleName(QString::fromStdString(image.label));
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

QSize ImageView::sizeHint() const {
  if (image_.is_null()) return QSize(180, 220);
  return image_.size().scaled(QSize(320, 320), Qt::KeepAspectRatio).boundedTo(image_.size());
}

void ImageView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (image_.is_null()) {
    painter.setPen(QPen(theme::kSurfaceBorder, 1, Qt::DashLine));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    return;
  }
  const QRect target = fit_rect(image_.size(), rect());
  painter.drawPixmap(target.topLeft(), image_.at(target.size(), devicePixelRatioF()));
  painter.setPen(QPen(theme::kSurfaceBorder, 1));
  painter.drawRect(target.adjusted(0, 0, -1, -1));
}

}  // namespace qthost
