#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "scan/page_pixels.hpp"
#include "scan_fixture.hpp"

namespace scan {
namespace {

using scantest::numbered_image;

app::SharedBytes shared(std::vector<std::uint8_t> bytes) {
  return std::make_shared<const std::vector<std::uint8_t>>(std::move(bytes));
}

std::array<std::uint8_t, 4> pixel(const RgbaImage& image, std::uint32_t x, std::uint32_t y) {
  const std::uint8_t* p = &image.pixels[(std::size_t{y} * image.width + x) * 4];
  return {p[0], p[1], p[2], p[3]};
}

TEST(Rotate, TwoByOneRedBlueGivesRedOnTop) {
  const RgbaImage image{2, 1, {255, 0, 0, 255, 0, 0, 255, 255}};
  const RgbaImage rotated = rotate_clockwise(view_of(image));
  EXPECT_EQ(rotated, (RgbaImage{1, 2, {255, 0, 0, 255, 0, 0, 255, 255}}));
}

TEST(Rotate, EverySourcePixelLandsAtHeightMinusOneMinusYAndX) {
  // Odd sizes larger than one tile catch off-by-one errors at tile edges.
  const RgbaImage image = numbered_image(131, 67);
  const RgbaImage rotated = rotate_clockwise(view_of(image));
  ASSERT_EQ(rotated.width, 67u);
  ASSERT_EQ(rotated.height, 131u);
  for (std::uint32_t y = 0; y < image.height; ++y) {
    for (std::uint32_t x = 0; x < image.width; ++x) {
      ASSERT_EQ(pixel(rotated, image.height - 1 - y, x), pixel(image, x, y)) << x << "," << y;
    }
  }
  RgbaImage back = rotated;
  for (int turn = 0; turn < 3; ++turn) back = rotate_clockwise(view_of(back));
  EXPECT_EQ(back, image);
}

TEST(PixelBuffer, ShortMissingOrOverflowingBuffersAreIncomplete) {
  EXPECT_TRUE(rgba_view(shared(std::vector<std::uint8_t>(24)), 3, 2).ok());
  // A longer buffer is fine: only the first width x height x 4 bytes count.
  auto longer = rgba_view(shared(std::vector<std::uint8_t>(30)), 3, 2);
  ASSERT_TRUE(longer.ok());
  EXPECT_EQ(longer.value().pixels.size(), 24u);
  for (auto result :
       {rgba_view(shared(std::vector<std::uint8_t>(23)), 3, 2), rgba_view(nullptr, 1, 1),
        rgba_view(shared(std::vector<std::uint8_t>(64)), 0xFFFFFFFF, 0xFFFFFFFF)}) {
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.error(), "scanned page pixels were incomplete");
  }
  EXPECT_EQ(rgba_byte_count(0xFFFFFFFF, 0xFFFFFFFF), std::nullopt);
}

struct SelectionRow {
  const char* name;
  app::CropSelection selection;
  bool valid;
};

TEST(CropSelection, ValidityRules) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  const SelectionRow rows[] = {
      {"whole page", {0, 0, 1, 1}, true},
      {"almost whole", {0, 0, 1, 0.999}, true},
      {"exactly 0.05 wide", {0, 0, 0.05, 1}, true},
      {"too narrow", {0.5, 0, 0.54, 1}, false},
      {"too short", {0, 0.2, 1, 0.23}, false},
      {"inverted", {0.8, 0, 0.2, 1}, false},
      {"negative left", {-0.1, 0, 1, 1}, false},
      {"negative top", {0, -0.0001, 1, 1}, false},
      {"right past the page", {0, 0, 1.01, 1}, false},
      {"bottom past the page", {0, 0, 1, 1.5}, false},
      {"NaN", {nan, 0, 1, 1}, false},
      {"NaN bottom", {0, 0, 1, nan}, false},
      {"infinite", {0, 0, inf, 1}, false},
      {"negative infinite", {-inf, 0, 1, 1}, false},
  };
  for (const SelectionRow& row : rows) {
    EXPECT_EQ(crop_selection_valid(row.selection), row.valid) << row.name;
  }
  EXPECT_TRUE(is_whole_page({0, 0, 1, 1}));
  EXPECT_FALSE(is_whole_page({0, 0, 1, 0.999}));
  EXPECT_TRUE(is_whole_page({-0.0, 0, 1, 1}));  // -0 equals 0
}

TEST(CropSelection, PixelRectangleArithmetic) {
  struct Row {
    const char* name;
    app::CropSelection selection;
    std::uint32_t width, height;
    PixelRect rect;
  };
  const Row rows[] = {
      {"lower right quarter of 101", {0.5, 0.5, 1, 1}, 101, 101, {50, 50, 51, 51}},
      {"almost whole is whole", {0, 0, 1, 0.999}, 10, 500, {0, 0, 10, 500}},
      {"0.999 of 1000 rows is 999", {0, 0, 1, 0.999}, 10, 1000, {0, 0, 10, 999}},
      {"floor of the start, ceil of the end", {0.25, 0.1, 0.76, 0.5}, 10, 10, {2, 1, 6, 4}},
      {"left clamped to 0.95", {0.97, 0, 1, 1}, 100, 10, {95, 0, 5, 10}},
      {"tiny page keeps one pixel", {0.5, 0.5, 0.6, 0.6}, 1, 1, {0, 0, 1, 1}},
      {"inverted gives one pixel", {0.6, 0, 0.2, 1}, 10, 10, {6, 0, 1, 10}},
      {"NaN start reads as 0.95", {std::nan(""), 0, 1, 1}, 100, 10, {95, 0, 5, 10}},
      {"negative reads as 0", {-3, -1, 1, 1}, 8, 8, {0, 0, 8, 8}},
      {"empty page", {0.5, 0.5, 1, 1}, 0, 0, {0, 0, 0, 0}},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(crop_rectangle(row.selection, row.width, row.height), row.rect) << row.name;
  }
}

TEST(CropSelection, CopiesTheRectangle) {
  const RgbaImage image = numbered_image(20, 10);
  const RgbaImage cut = crop(view_of(image), PixelRect{3, 2, 5, 4});
  ASSERT_EQ(cut.width, 5u);
  ASSERT_EQ(cut.height, 4u);
  for (std::uint32_t y = 0; y < 4; ++y) {
    for (std::uint32_t x = 0; x < 5; ++x) EXPECT_EQ(pixel(cut, x, y), pixel(image, x + 3, y + 2));
  }
}

}  // namespace
}  // namespace scan
