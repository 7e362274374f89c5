#include "ocr/png_writer.hpp"

#include <gtest/gtest.h>

#include <QImage>

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
