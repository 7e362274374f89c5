#pragma once
// Test pages drawn with QPainter: lines of real text at a known size, level
// or tilted about the page centre.

#include <QImage>
#include <QString>
#include <QStringList>

#include "ocr/image.hpp"

namespace ocr_test {

struct PageLayout {
  int width = 1240;
  int height = 1754;
  int pixel_size = 28;
  int line_count = 20;
  // Clockwise on screen (lines run down to the right); the engine's
  // estimate for such a page is the negative angle.
  double tilt_degrees = 0;
  QColor background = Qt::white;
};

QImage text_page(const PageLayout& layout);
QImage text_lines(const QStringList& lines, int pixel_size, int width);

ocr::GrayImage gray(const QImage& image);

}  // namespace ocr_test
