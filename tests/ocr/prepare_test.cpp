#include "ocr/prepare.hpp"

#include <gtest/gtest.h>

#include <QImage>
#include <vector>

#include "ocr/skew.hpp"
#include "pages.hpp"

namespace {

using ocr::OcrError;
using ocr::PixelFormat;
using ocr::PixelImage;

TEST(PrepareImage, SizeLimits) {
  struct Case {
    std::uint64_t width, height;
    bool within;
  };
  const Case cases[] = {
      {10000, 6000, true}, {6000, 10000, true},    {10000, 1, true},   {10001, 10, false},
      {10, 10001, false},  {8000, 8000, false},    {7745, 7745, true}, {7745, 7747, false},
      {0, 0, true},        {1ull << 40, 0, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ocr::within_size_limits(c.width, c.height), c.within) << c.width << "x" << c.height;
  }
  // Refused before a single pixel is read: the views point at no pixels.
  for (auto [w, h] : {std::pair{10001u, 10u}, std::pair{8000u, 8000u}}) {
    const auto result = ocr::prepare_image(PixelImage{PixelFormat::Rgba8, w, h, {}, 0});
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.error().kind, OcrError::Kind::ImageTooLarge);
  }
}

TEST(PrepareImage, ContrastKeepsTheEndsAndTheMiddle) {
  EXPECT_EQ(ocr::raise_contrast(0), 0);
  EXPECT_EQ(ocr::raise_contrast(255), 255);
  EXPECT_EQ(ocr::raise_contrast(128), 128);
  EXPECT_EQ(ocr::raise_contrast(200), 235);
  EXPECT_EQ(ocr::raise_contrast(20), 0);
  EXPECT_EQ(ocr::raise_contrast(240), 255);
  for (int v = 1; v < 256; ++v) {
    EXPECT_LE(ocr::raise_contrast(static_cast<std::uint8_t>(v - 1)),
              ocr::raise_contrast(static_cast<std::uint8_t>(v)));
  }
}

TEST(PrepareImage, BlankPageIsOnlyContrasted) {
  const std::vector<std::uint8_t> pixels(640 * 480, 200);
  const auto result = ocr::prepare_image(PixelImage{PixelFormat::Gray8, 640, 480, pixels, 0});
  ASSERT_TRUE(result.ok());
  EXPECT_FALSE(result->tilt_degrees);
  EXPECT_EQ(result->image, ocr::GrayImage(640, 480, 235));
}

TEST(PrepareImage, EveryPixelFormatGivesTheSameGray) {
  const QImage page =
      ocr_test::text_page({.width = 300, .height = 200, .pixel_size = 12, .line_count = 5});
  const auto from_qimage = ocr::prepare_image(page);
  ASSERT_TRUE(from_qimage.ok());

  struct Case {
    QImage::Format qt;
    PixelFormat format;
  };
  for (const auto& c : {Case{QImage::Format_RGBA8888, PixelFormat::Rgba8},
                        Case{QImage::Format_RGB888, PixelFormat::Rgb8},
                        Case{QImage::Format_Grayscale8, PixelFormat::Gray8}}) {
    const QImage converted = page.convertToFormat(c.qt);
    // Qt pads rows to four bytes; the stride carries that.
    const auto stride = static_cast<std::size_t>(converted.bytesPerLine());
    const std::span<const std::uint8_t> bytes(converted.constBits(),
                                              static_cast<std::size_t>(converted.sizeInBytes()));
    const auto result = ocr::prepare_image(PixelImage{c.format, 300, 200, bytes, stride});
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result->image, from_qimage->image) << static_cast<int>(c.format);
  }
}

TEST(PrepareImage, ShortPixelBufferIsAnImageError) {
  const std::vector<std::uint8_t> pixels(100 * 100 * 4 - 1, 0);
  const auto result = ocr::prepare_image(PixelImage{PixelFormat::Rgba8, 100, 100, pixels, 0});
  ASSERT_FALSE(result.ok());
  EXPECT_EQ(result.error().kind, OcrError::Kind::ImageError);
  const auto narrow_stride = ocr::prepare_image(PixelImage{PixelFormat::Rgba8, 10, 10, pixels, 39});
  ASSERT_FALSE(narrow_stride.ok());
  EXPECT_EQ(narrow_stride.error().kind, OcrError::Kind::ImageError);
}

}  // namespace
