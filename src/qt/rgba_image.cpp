#include "qt/rgba_image.hpp"

#include <climits>
#include <memory>

namespace qthost {
namespace {
void release_buffer(void* info) { delete static_cast<ui::SharedBytes*>(info); }
}  // namespace

QImage wrap_rgba(const ui::SharedBytes& pixels, std::uint32_t width, std::uint32_t height) {
  if (!pixels || width == 0 || height == 0) return {};
  const std::uint64_t stride = std::uint64_t{width} * 4;
  if (stride > static_cast<std::uint64_t>(INT_MAX) || height > static_cast<std::uint32_t>(INT_MAX))
    return {};
  if (stride * height > pixels->size()) return {};
  auto* keep = new ui::SharedBytes(pixels);
  return QImage(pixels->data(), static_cast<int>(width), static_cast<int>(height),
                static_cast<qsizetype>(stride), QImage::Format_RGBA8888, release_buffer, keep);
}

QRect fit_rect(QSize image, QRect area) {
  if (image.isEmpty() || area.isEmpty()) return {};
  const QSize fitted = image.scaled(area.size(), Qt::KeepAspectRatio);
  const QPoint corner(area.left() + (area.width() - fitted.width()) / 2,
                      area.top() + (area.height() - fitted.height()) / 2);
  return QRect(corner, fitted);
}

const QPixmap& ScaledImage::at(QSize target, qreal device_pixel_ratio) {
  if (image_.isNull() || target.isEmpty()) {
    scaled_ = QPixmap();
    return scaled_;
  }
  if (target == scaled_for_ && device_pixel_ratio == scaled_ratio_) return scaled_;
  const QSize pixels = target * device_pixel_ratio;
  QImage step = image_;
  // A cheap halving pass first: a smooth scale straight from a 300 dpi page
  // costs several times more for no visible gain.
  if (step.width() > pixels.width() * 3 && step.height() > pixels.height() * 3) {
    step = step.scaled(pixels * 2, Qt::IgnoreAspectRatio, Qt::FastTransformation);
  }
  scaled_ =
      QPixmap::fromImage(step.scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
  scaled_.setDevicePixelRatio(device_pixel_ratio);
  scaled_for_ = target;
  scaled_ratio_ = device_pixel_ratio;
  return scaled_;
}

}  // namespace qthost
