#pragma once
// Page pixels (RGBA, 8 bits per channel, row by row) as a QImage without a
// copy, and their scaled-down display copy.

#include <QImage>
#include <QPixmap>
#include <QRect>
#include <cstdint>

#include "ui/widgets.hpp"

namespace qthost {

// A QImage over the shared buffer, which it keeps alive. Null when the size
// is zero, too large for QImage, or the buffer is shorter than
// width x height x 4.
QImage wrap_rgba(const ui::SharedBytes& pixels, std::uint32_t width, std::uint32_t height);

// The largest rectangle with the image's aspect ratio, centred in `area`.
QRect fit_rect(QSize image, QRect area);

// Keeps one smooth-scaled copy for the size last asked for; scaling a full
// scanned page on every paint would stall scrolling.
class ScaledImage {
 public:
  explicit ScaledImage(QImage image) : image_(std::move(image)) {}
  bool is_null() const { return image_.isNull(); }
  QSize size() const { return image_.size(); }
  const QPixmap& at(QSize target, qreal device_pixel_ratio);

 private:
  QImage image_;
  QPixmap scaled_;
  QSize scaled_for_;
  qreal scaled_ratio_ = 0;
};

}  // namespace qthost
