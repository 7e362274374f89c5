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

QImage text_page(const PageSpec& spec) {
  QImage page(spec.width, spec.height, QImage::Format_RGB32);
  page.fill(spec.background);
  QPainter painter(&page);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  painter.setFont(font(spec.pixel_size));
  painter.setPen(Qt::black);
  painter.translate(spec.width / 2.0, spec.height / 2.0);
  painter.rotate(spec.tilt_degrees);
  painter.translate(-spec.width / 2.0, -spec.height / 2.0);
  const int margin = spec.width / 8;
  const int step = spec.pixel_size * 2;
  const int first = (spec.height - step * spec.line_count) / 2 + spec.pixel_size;
  for (int i = 0; i < spec.line_count; ++i) {
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
