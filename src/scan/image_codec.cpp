#include "scan/image_codec.hpp"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>
#include <cstring>
#include <string>

#include "ocr/png_writer.hpp"

namespace scan {
namespace {

bool size_acceptable(std::uint64_t width, std::uint64_t height) {
  return width <= kMaxPageSide && height <= kMaxPageSide && width * height <= kMaxPagePixels;
}

std::string size_text(std::uint64_t width, std::uint64_t height) {
  return std::to_string(width) + " x " + std::to_string(height);
}

}  // namespace

platform::Result<QImage> decode_image(std::span<const std::uint8_t> bytes) {
  if (bytes.empty()) return platform::err("the image file is empty");
  // The buffer only borrows the bytes; it lives no longer than this call.
  QByteArray data = QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()),
                                            static_cast<qsizetype>(bytes.size()));
  QBuffer buffer(&data);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer);
  reader.setDecideFormatFromContent(true);
  reader.setAutoTransform(false);
  if (!reader.canRead()) return platform::err(reader.errorString().toStdString());
  // The header's size is checked before any pixel memory is reserved, so a
  // forged header cannot make the decoder ask for gigabytes.
  const QSize announced = reader.size();
  if (announced.isValid()) {
    if (announced.isEmpty()) return platform::err("the image has no pixels");
    if (!size_acceptable(static_cast<std::uint64_t>(announced.width()),
                         static_cast<std::uint64_t>(announced.height()))) {
      return platform::err("the image is too large (" +
                           size_text(static_cast<std::uint64_t>(announced.width()),
                                     static_cast<std::uint64_t>(announced.height())) +
                           " pixels)");
    }
  }
  QImage image;
  if (!reader.read(&image)) return platform::err(reader.errorString().toStdString());
  if (image.isNull() || image.width() <= 0 || image.height() <= 0) {
    return platform::err("the image has no pixels");
  }
  const auto width = static_cast<std::uint64_t>(image.width());
  const auto height = static_cast<std::uint64_t>(image.height());
  if (!size_acceptable(width, height)) {
    return platform::err("the image is too large (" + size_text(width, height) + " pixels)");
  }
  return image;
}

RgbaImage to_rgba(const QImage& image) {
  const QImage rgba = image.format() == QImage::Format_RGBA8888
                          ? image
                          : image.convertToFormat(QImage::Format_RGBA8888);
  RgbaImage out;
  if (rgba.isNull()) return out;
  out.width = static_cast<std::uint32_t>(rgba.width());
  out.height = static_cast<std::uint32_t>(rgba.height());
  const std::size_t row_bytes = std::size_t{out.width} * 4;
  out.pixels.resize(row_bytes * out.height);
  for (std::uint32_t y = 0; y < out.height; ++y) {
    std::memcpy(out.pixels.data() + y * row_bytes, rgba.constScanLine(static_cast<int>(y)),
                row_bytes);
  }
  return out;
}

platform::Result<std::vector<std::uint8_t>> encode_png(const RgbaView& image) {
  if (image.width == 0 || image.height == 0) return platform::err("the image has no pixels");
  const auto needed = rgba_byte_count(image.width, image.height);
  if (!needed || image.pixels.size() < *needed) {
    return platform::err("the image does not fit the PNG encoder");
  }
  auto png = ocr::encode_rgba_png(image.pixels.data(), *needed, image.width, image.height);
  if (!png) return platform::err(png.error());
  return std::vector<std::uint8_t>(png->begin(), png->end());
}

}  // namespace scan
