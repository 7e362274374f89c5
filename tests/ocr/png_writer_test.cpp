#include "ocr/png_writer.hpp"

#include <gtest/gtest.h>

#include <QImage>
#include <cstring>

namespace {

TEST(EncodePng, DecodesBackToTheSameGrayPixels) {
  for (auto [w, h] : {std::pair{1u, 1u}, std::pair{3u, 2u}, std::pair{257u, 33u}}) {
    ocr::GrayImage image(w, h);
    for (std::size_t i = 0; i < image.pixels.size(); ++i) {
      image.pixels[i] = static_cast<std::uint8_t>(i * 7 % 256);
    }
    const auto png = ocr::encode_png(image);
    ASSERT_TRUE(png.ok()) << png.error();
    const QImage decoded = QImage::fromData(reinterpret_cast<const uchar*>(png->data()),
                                            static_cast<int>(png->size()), "PNG");
    ASSERT_FALSE(decoded.isNull()) << w << "x" << h;
    EXPECT_EQ(decoded.format(), QImage::Format_Grayscale8);
    ASSERT_EQ(decoded.size(), QSize(static_cast<int>(w), static_cast<int>(h)));
    for (std::uint32_t y = 0; y < h; ++y) {
      for (std::uint32_t x = 0; x < w; ++x) {
        ASSERT_EQ(decoded.constScanLine(static_cast<int>(y))[x], image.at(x, y)) << x << "," << y;
      }
    }
    EXPECT_EQ(png->find("pHYs"), std::string::npos);
  }
}

TEST(EncodePng, RefusesEmptyOrInconsistentImages) {
  EXPECT_FALSE(ocr::encode_png(ocr::GrayImage()).ok());
  ocr::GrayImage broken(4, 4);
  broken.pixels.pop_back();
  EXPECT_FALSE(ocr::encode_png(broken).ok());
}

}  // namespace

namespace {

TEST(EncodeRgbaPng, DecodesBackToTheSamePixelsWithAlpha) {
  const std::uint32_t w = 3, h = 2;
  std::vector<std::uint8_t> rgba;
  for (std::uint32_t i = 0; i < w * h; ++i) {
    rgba.insert(rgba.end(), {static_cast<std::uint8_t>(i * 40), static_cast<std::uint8_t>(255 - i),
                             static_cast<std::uint8_t>(i * 7), static_cast<std::uint8_t>(100 + i)});
  }
  auto png = ocr::encode_rgba_png(rgba.data(), rgba.size(), w, h);
  ASSERT_TRUE(png.ok()) << png.error();
  QImage decoded;
  ASSERT_TRUE(decoded.loadFromData(reinterpret_cast<const uchar*>(png->data()),
                                   static_cast<int>(png->size()), "PNG"));
  decoded = decoded.convertToFormat(QImage::Format_RGBA8888);
  ASSERT_EQ(decoded.width(), 3);
  ASSERT_EQ(decoded.height(), 2);
  for (std::uint32_t y = 0; y < h; ++y) {
    EXPECT_EQ(0, std::memcmp(decoded.constScanLine(static_cast<int>(y)),
                             rgba.data() + std::size_t{y} * w * 4, w * 4));
  }
  EXPECT_FALSE(ocr::encode_rgba_png(rgba.data(), rgba.size() - 1, w, h).ok());
}

}  // namespace
