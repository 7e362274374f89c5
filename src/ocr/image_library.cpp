#include "ocr/image_library.hpp"

#include <QImage>
#include <cstring>
#include <limits>

namespace ocr {
namespace {

QImage::Format qt_format(PixelFormat format) {
  switch (format) {
    case PixelFormat::Gray8:
      return QImage::Format_Grayscale8;
    case PixelFormat::Rgb8:
      return QImage::Format_RGB888;
    case PixelFormat::Rgba8:
      return QImage::Format_RGBA8888;
  }
  return QImage::Format_RGBA8888;
}

GrayImage copy_gray(const QImage& gray) {
  GrayImage out(static_cast<std::uint32_t>(gray.width()),
                static_cast<std::uint32_t>(gray.height()));
  for (std::uint32_t y = 0; y < out.height; ++y) {
    std::memcpy(out.pixels.data() + std::size_t{y} * out.width,
                gray.constScanLine(static_cast<int>(y)), out.width);
  }
  return out;
}

}  // namespace

platform::Result<GrayImage> gray_from(const QImage& image) {
  if (image.isNull()) return platform::err("the image is empty");
  if (image.format() == QImage::Format_Grayscale8) return copy_gray(image);
  const QImage gray = image.convertToFormat(QImage::Format_Grayscale8);
  if (gray.isNull()) return platform::err("the image could not be converted to grayscale");
  return copy_gray(gray);
}

platform::Result<GrayImage> gray_from(const PixelImage& image) {
  if (!image.is_complete()) return platform::err("the pixel buffer is shorter than the image");
  if (image.width == 0 || image.height == 0) return GrayImage(image.width, image.height);
  if (image.row_bytes() > static_cast<std::size_t>(std::numeric_limits<qsizetype>::max())) {
    return platform::err("the image rows are too long");
  }
  const QImage view(image.pixels.data(), static_cast<int>(image.width),
                    static_cast<int>(image.height), static_cast<qsizetype>(image.row_bytes()),
                    qt_format(image.format));
  return gray_from(view);
}

platform::Result<GrayImage> resize_smooth(const GrayImage& image, std::uint32_t width,
                                          std::uint32_t height) {
  if (image.width == 0 || image.height == 0 || width == 0 || height == 0) {
    return platform::err("cannot resize an empty image");
  }
  // Qt filters 32-bit pixels far faster than 8-bit ones, so the gray values
  // travel as opaque RGB and come back from one channel.
  QImage rgb(static_cast<int>(image.width), static_cast<int>(image.height), QImage::Format_RGB32);
  if (rgb.isNull()) return platform::err("out of memory while resizing");
  for (std::uint32_t y = 0; y < image.height; ++y) {
    auto* row = reinterpret_cast<std::uint32_t*>(rgb.scanLine(static_cast<int>(y)));
    const std::uint8_t* source = image.pixels.data() + std::size_t{y} * image.width;
    for (std::uint32_t x = 0; x < image.width; ++x) row[x] = 0xff000000u | (source[x] * 0x010101u);
  }
  const QImage scaled = rgb.scaled(static_cast<int>(width), static_cast<int>(height),
                                   Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  if (scaled.isNull()) return platform::err("out of memory while resizing");
  GrayImage out(width, height);
  for (std::uint32_t y = 0; y < height; ++y) {
    const auto* row =
        reinterpret_cast<const std::uint32_t*>(scaled.constScanLine(static_cast<int>(y)));
    std::uint8_t* target = out.pixels.data() + std::size_t{y} * width;
    for (std::uint32_t x = 0; x < width; ++x) target[x] = static_cast<std::uint8_t>(row[x] & 0xffu);
  }
  return out;
}

}  // namespace ocr
