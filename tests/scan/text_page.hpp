#pragma once
// Pages with real printed words on them, for the recognition engine.

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QStringList>

#include "scan/image_codec.hpp"

namespace scantest {

// Black lines of text on white, large enough to be read without doubt.
inline QImage text_page(const QStringList& lines, int width = 900) {
  QImage image(width, 110 * static_cast<int>(lines.size()) + 80, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  QFont font("DejaVu Sans");
  font.setPixelSize(52);
  painter.setFont(font);
  painter.setPen(Qt::black);
  int y = 100;
  for (const QString& line : lines) {
    painter.drawText(40, y, line);
    y += 110;
  }
  painter.end();
  return image;
}

inline std::vector<std::uint8_t> text_page_png(const QStringList& lines) {
  return scan::encode_png(scan::to_rgba(text_page(lines))).value();
}

}  // namespace scantest
