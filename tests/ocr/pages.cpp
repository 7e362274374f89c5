#include "pages.hpp"

#include <QFont>
#include <QPainter>
#include <cstring>

namespace ocr_test {
namespace {

QFont font(int pixel_size) {
  QFont f("DejaVu Sans");
  f.setPixelSize(pixel_size);
  return f;
}

const QStringList kProse = {
    "Printers and scanners on one page, in plain words for everyone",
    "The quick brown fox jumps over the lazy dog near the river bank",
    "Pack my box with five dozen liquor jugs before the evening ends",
    "Sphinx of black quartz, judge my vow and keep the lines straight",
};

}  // namespace

QImage text_page(const PageLayout& layout) {
  QImage page(layout.width, layout.height, QImage::Format_RGB32);
  page.fill(layout.background);
  QPainter painter(&page);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  painter.setFont(font(layout.pixel_size));
  painter.setPen(Qt::black);
  painter.translate(layout.width / 2.0, layout.height / 2.0);
  painter.rotate(layout.tilt_degrees);
  painter.translate(-layout.width / 2.0, -layout.height / 2.0);
  const int margin = layout.width / 8;
  const int step = layout.pixel_size * 2;
  const int first = (layout.height - step * layout.line_count) / 2 + layout.pixel_size;
  for (int i = 0; i < layout.line_count; ++i) {
    painter.drawText(margin, first + i * step, kProse[i % kProse.size()]);
  }
  painter.end();
  return page;
}

QImage text_lines(const QStringList& lines, int pixel_size, int width) {
  const int step = pixel_size * 2;
  QImage page(width, step * (static_cast<int>(lines.size()) + 2), QImage::Format_RGB32);
  page.fill(Qt::white);
  QPainter painter(&page);
  painter.setRenderHint(QPainter::TextAntialiasing);
  painter.setFont(font(pixel_size));
  painter.setPen(Qt::black);
  for (int i = 0; i < lines.size(); ++i)
    painter.drawText(pixel_size, step * (i + 1) + pixel_size / 2, lines[i]);
  painter.end();
  return page;
}

ocr::GrayImage gray(const QImage& image) {
  const QImage g = image.convertToFormat(QImage::Format_Grayscale8);
  ocr::GrayImage out(static_cast<std::uint32_t>(g.width()), static_cast<std::uint32_t>(g.height()));
  for (int y = 0; y < g.height(); ++y) {
    std::memcpy(out.pixels.data() + static_cast<std::size_t>(y) * out.width, g.constScanLine(y),
                out.width);
  }
  return out;
}

}  // namespace ocr_test
