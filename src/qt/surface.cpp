#include "qt/surface.hpp"

#include <QPainter>
#include <QPainterPath>

#include "qt/theme.hpp"

namespace qthost {
namespace {

struct Colours {
  QColor fill;
  QColor border;
  QColor stripe;  // invalid for none
};

Colours colours_for(Surface::Look look) {
  switch (look) {
    case Surface::Look::Card:
      return {theme::kSurface, theme::kSurfaceBorder, QColor()};
    case Surface::Look::Success:
      return {QColor(0x1b, 0x33, 0x25), QColor(0x2a, 0x5c, 0x3c), QColor(0x3f, 0xb9, 0x50)};
    case Surface::Look::Warning:
      return {QColor(0x38, 0x2e, 0x14), QColor(0x6b, 0x55, 0x1c), QColor(0xe3, 0xa0, 0x08)};
    case Surface::Look::Error:
      return {QColor(0x3b, 0x1c, 0x1e), QColor(0x6e, 0x2c, 0x2e), QColor(0xf0, 0x55, 0x4f)};
  }
  return {theme::kSurface, theme::kSurfaceBorder, QColor()};
}

constexpr qreal kRadius = 12.0;
constexpr int kStripeWidth = 4;

}  // namespace

Surface::Surface(Look look, QWidget* parent) : QWidget(parent), look_(look) {
  setAttribute(Qt::WA_OpaquePaintEvent, false);
}

Surface::Look Surface::look_for(ui::Tone tone) {
  switch (tone) {
    case ui::Tone::Success:
      return Look::Success;
    case ui::Tone::Warning:
      return Look::Warning;
    case ui::Tone::Error:
      return Look::Error;
  }
  return Look::Error;
}

void Surface::paintEvent(QPaintEvent*) {
  const Colours colours = colours_for(look_);
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  const QRectF outline = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
  QPainterPath path;
  path.addRoundedRect(outline, kRadius, kRadius);
  painter.fillPath(path, colours.fill);
  if (colours.stripe.isValid()) {
    painter.save();
    painter.setClipPath(path);
    painter.fillRect(QRectF(outline.left(), outline.top(), kStripeWidth, outline.height()),
                     colours.stripe);
    painter.restore();
  }
  painter.setPen(QPen(colours.border, 1.0));
  painter.drawPath(path);
}

}  // namespace qthost
