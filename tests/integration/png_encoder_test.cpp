#include "devices/sane/png_encoder.hpp"

#include <gtest/gtest.h>

#include <cstdlib>

#include "png_reader.hpp"

namespace devices::sane {
namespace {

RasterImage noise(std::uint32_t width, std::uint32_t height, std::uint8_t channels,
                  std::uint8_t depth) {
  RasterImage image;
  image.width = width;
  image.height = height;
  image.channels = channels;
  image.depth = depth;
  image.dots_per_inch = 300;
  image.rows.resize(image.row_bytes() * height);
  std::uint32_t state = 12345;
  for (auto& byte : image.rows) {
    state = state * 1103515245 + 12345;
    byte = static_cast<std::uint8_t>(state >> 16);
  }
  return image;
}

TEST(PngEncoder, RoundTripsEveryLayout) {
  const struct {
    std::uint8_t channels;
    std::uint8_t depth;
    int colour_type;
  } cases[] = {{3, 8, 2}, {1, 8, 0}, {1, 1, 0}, {3, 16, 2}, {1, 16, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.channels) + " channels at " + std::to_string(c.depth));
    const RasterImage image = noise(37, 23, c.channels, c.depth);
    auto file = encode_png(image);
    ASSERT_TRUE(file.ok()) << file.error();
    const auto png = orvane_test::decode_png(file.value());
    ASSERT_EQ(png.error, "");
    EXPECT_EQ(png.width, 37u);
    EXPECT_EQ(png.height, 23u);
    EXPECT_EQ(png.depth, c.depth);
    EXPECT_EQ(png.colour_type, c.colour_type);
    EXPECT_EQ(png.pixels_per_metre, 11811u);  // 300 dpi
    EXPECT_EQ(png.rows, image.rows);
  }
}

TEST(PngEncoder, LargeImagesSpanSeveralDataChunks) {
  const RasterImage image = noise(1024, 700, 3, 8);  // 2 MB of noise
  auto file = encode_png(image);
  ASSERT_TRUE(file.ok());
  const auto png = orvane_test::decode_png(file.value());
  ASSERT_EQ(png.error, "");
  EXPECT_EQ(png.rows, image.rows);
}

TEST(PngEncoder, RefusesImagesItCannotWrite) {
  RasterImage empty;
  EXPECT_FALSE(encode_png(empty).ok());
  RasterImage short_data = noise(4, 4, 3, 8);
  short_data.rows.pop_back();
  EXPECT_FALSE(encode_png(short_data).ok());
  EXPECT_FALSE(encode_png(noise(4, 4, 3, 1)).ok()) << "1-bit colour is not a PNG layout";
  EXPECT_FALSE(encode_png(noise(4, 4, 2, 8)).ok());
  RasterImage no_resolution = noise(2, 2, 1, 8);
  no_resolution.dots_per_inch = 0;
  auto file = encode_png(no_resolution);
  ASSERT_TRUE(file.ok());
  EXPECT_EQ(orvane_test::decode_png(file.value()).pixels_per_metre, 0u);
}

}  // namespace
}  // namespace devices::sane
