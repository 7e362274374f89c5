#include <gtest/gtest.h>

#include <QBuffer>
#include <QImageWriter>

#include "png_header.hpp"
#include "scan/image_codec.hpp"
#include "scan_fixture.hpp"

namespace scan {
namespace {

using scantest::numbered_image;
using scantest::png_with_header;

std::vector<std::uint8_t> encoded_as(const QImage& image, const char* format) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, format);
  EXPECT_TRUE(writer.write(image)) << format;
  return {bytes.begin(), bytes.end()};
}

TEST(ImageCodec, PngRoundTripKeepsEveryPixel) {
  const RgbaImage image = numbered_image(300, 7);
  auto png = encode_png(image);
  ASSERT_TRUE(png.ok()) << png.error();
  const std::vector<std::uint8_t> signature{0x89, 'P', 'N', 'G'};
  EXPECT_TRUE(std::equal(signature.begin(), signature.end(), png.value().begin()));
  auto decoded = decode_image(png.value());
  ASSERT_TRUE(decoded.ok()) << decoded.error();
  EXPECT_EQ(to_rgba(decoded.value()), image);
}

TEST(ImageCodec, DetectsTheFormatFromTheBytesAndAddsOpaqueAlpha) {
  QImage gray(5, 3, QImage::Format_Grayscale8);
  gray.fill(200);
  for (const char* format : {"png", "bmp", "ppm"}) {
    auto decoded = decode_image(encoded_as(gray, format));
    ASSERT_TRUE(decoded.ok()) << format << ": " << decoded.error();
    const RgbaImage rgba = to_rgba(decoded.value());
    ASSERT_EQ(rgba.width, 5u);
    ASSERT_EQ(rgba.height, 3u);
    for (std::size_t i = 0; i < rgba.pixels.size(); i += 4) {
      ASSERT_EQ(rgba.pixels[i + 3], 255) << format;
      ASSERT_EQ(rgba.pixels[i], 200) << format;
    }
  }
  // Premultiplied input comes out straight, not premultiplied.
  QImage translucent(1, 1, QImage::Format_ARGB32);
  translucent.setPixelColor(0, 0, QColor(200, 100, 50, 128));
  const RgbaImage rgba = to_rgba(translucent.convertToFormat(QImage::Format_ARGB32_Premultiplied));
  EXPECT_NEAR(rgba.pixels[0], 200, 2);
  EXPECT_EQ(rgba.pixels[3], 128);
}

TEST(ImageCodec, RejectsBytesThatAreNoImageWithAReason) {
  const std::vector<std::vector<std::uint8_t>> inputs{
      {},
      {'%', 'P', 'D', 'F', '-', '1', '.', '7'},
      std::vector<std::uint8_t>(4096, 0xAB),
  };
  for (const auto& bytes : inputs) {
    auto decoded = decode_image(bytes);
    ASSERT_FALSE(decoded.ok());
    EXPECT_FALSE(decoded.error().empty());
  }
  // A real PNG cut short.
  auto png = encode_png(numbered_image(64, 64)).value();
  png.resize(png.size() / 2);
  EXPECT_FALSE(decode_image(png).ok());
}

TEST(ImageCodec, ForgedHeadersAreRejectedBeforeAnyPixelMemory) {
  struct Row {
    std::uint32_t width, height;
  };
  for (const Row row : {Row{0, 0}, Row{0, 100}, Row{30000, 30000}, Row{20001, 10},
                        Row{0x7FFFFFFF, 0x7FFFFFFF}, Row{9000, 9000}}) {
    auto decoded = decode_image(png_with_header(row.width, row.height));
    ASSERT_FALSE(decoded.ok()) << row.width << "x" << row.height;
    EXPECT_FALSE(decoded.error().empty());
  }
  auto huge = decode_image(png_with_header(30000, 30000));
  EXPECT_EQ(huge.error(), "the image is too large (30000 x 30000 pixels)");
}

TEST(ImageCodec, EncodingRefusesEmptyAndShortImages) {
  EXPECT_FALSE(encode_png(RgbaImage{}).ok());
  EXPECT_FALSE(encode_png(RgbaImage{4, 4, std::vector<std::uint8_t>(63)}).ok());
}

}  // namespace
}  // namespace scan
