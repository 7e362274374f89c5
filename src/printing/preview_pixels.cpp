#include <QPainter>
#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "printing/preview_renderers.hpp"

namespace printing::preview {

std::optional<devices::PreviewImage> to_preview_image(QImage image, int long_side) {
  if (image.isNull() || long_side < 1) return std::nullopt;
  if (std::max(image.width(), image.height()) > long_side) {
    image = image.scaled(long_side, long_side, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    if (image.isNull()) return std::nullopt;
  }
  if (image.hasAlphaChannel()) {
    // A print preview shows the paper: transparent parts are white.
    QImage paper(image.size(), QImage::Format_RGB32);
    if (paper.isNull()) return std::nullopt;
    paper.fill(Qt::white);
    QPainter painter(&paper);
    painter.drawImage(0, 0, image);
    painter.end();
    image = std::move(paper);
  }
  image = image.convertToFormat(QImage::Format_RGBA8888);
  if (image.isNull()) return std::nullopt;

  const auto width = static_cast<std::size_t>(image.width());
  const auto height = static_cast<std::size_t>(image.height());
  const std::size_t row_bytes = width * 4;
  auto pixels = std::make_shared<std::vector<std::uint8_t>>(row_bytes * height);
  for (std::size_t y = 0; y < height; ++y) {
    std::memcpy(pixels->data() + y * row_bytes, image.constScanLine(static_cast<int>(y)),
                row_bytes);
  }
  devices::PreviewImage out;
  out.pixels = std::move(pixels);
  out.width = static_cast<std::uint32_t>(width);
  out.height = static_cast<std::uint32_t>(height);
  return out;
}

}  // namespace printing::preview
