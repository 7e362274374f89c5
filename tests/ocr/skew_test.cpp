#include "ocr/skew.hpp"

#include <gtest/gtest.h>

#include <QPainter>
#include <optional>

#include "ocr/prepare.hpp"
#include "pages.hpp"

namespace {

using ocr::GrayImage;

std::optional<double> tilt_found(const QImage& page) {
  const auto prepared = ocr::prepare_image(page);
  EXPECT_TRUE(prepared.ok());
  return prepared.ok() ? prepared->tilt_degrees : std::nullopt;
}

TEST(EstimateSkew, FindsTheTiltOfTextLines) {
  struct Case {
    double drawn;  // clockwise on screen
    std::optional<double> found;
  };
  const Case cases[] = {
      {0, std::nullopt}, {1, -1.0}, {-1, 1.0}, {2, -2.0}, {-2, 2.0},           {3.5, -3.5},
      {-3.5, 3.5},       {5, -5.0}, {-5, 5.0}, {7, -5.0}, {0.2, std::nullopt},
  };
  for (const auto& c : cases) {
    const QImage page = ocr_test::text_page({.tilt_degrees = c.drawn});
    EXPECT_EQ(tilt_found(page), c.found) << "drawn at " << c.drawn << " degrees";
  }
}

TEST(EstimateSkew, FindsTheTiltOnLargeScansThroughTheReducedCopy) {
  const QImage page = ocr_test::text_page(
      {.width = 2480, .height = 3508, .pixel_size = 40, .line_count = 30, .tilt_degrees = 2});
  EXPECT_EQ(tilt_found(page), -2.0);
}

TEST(EstimateSkew, StraightenedPageIsLevelAndItsNewCornersAreWhite) {
  const QImage page = ocr_test::text_page({.tilt_degrees = 3, .background = QColor(200, 200, 200)});
  const auto prepared = ocr::prepare_image(page);
  ASSERT_TRUE(prepared.ok());
  ASSERT_TRUE(prepared->tilt_degrees);
  EXPECT_EQ(*prepared->tilt_degrees, -3.0);
  const GrayImage& out = prepared->image;
  EXPECT_EQ(out.width, 1240u);
  EXPECT_EQ(out.height, 1754u);
  EXPECT_FALSE(ocr::estimate_skew(out)) << "no tilt is left to correct";
  // The grey page body is contrasted to 235; only what came from outside it is 255.
  EXPECT_EQ(out.at(0, 0), 255);
  EXPECT_EQ(out.at(1239, 1753), 255);
  EXPECT_EQ(out.at(620, 20), 235);
}

TEST(EstimateSkew, NoneForPagesTooSmallBlankOrOutOfInkRange) {
  // 31 pixels on one side is never analysed, whatever it shows.
  for (auto [w, h] : {std::pair{31, 1000}, std::pair{1000, 31}}) {
    QImage page =
        ocr_test::text_page({.width = 1000, .height = 1000, .tilt_degrees = 3}).copy(0, 400, w, h);
    EXPECT_FALSE(ocr::estimate_skew(ocr_test::gray(page))) << w << "x" << h;
  }
  EXPECT_FALSE(ocr::estimate_skew(GrayImage(800, 600, 255)));
  EXPECT_FALSE(ocr::estimate_skew(GrayImage(800, 600, 0)));

  // The same tilted page with a dark block over half of it has too much ink.
  QImage heavy = ocr_test::text_page({.tilt_degrees = 3});
  EXPECT_TRUE(ocr::estimate_skew(ocr_test::gray(heavy)));
  {
    QPainter painter(&heavy);
    painter.fillRect(0, 0, 1240, 877, Qt::black);
  }
  EXPECT_FALSE(ocr::estimate_skew(ocr_test::gray(heavy)));
}

TEST(EstimateSkew, NeedsATenthOfAPercentOfInk) {
  // One tilted stroke: 600 dark pixels on a million is too little ink, three
  // times as much is enough.
  auto stroke_page = [](int thickness) {
    QImage page(1000, 1000, QImage::Format_Grayscale8);
    page.fill(255);
    QPainter painter(&page);
    painter.translate(500, 500);
    painter.rotate(2);
    painter.fillRect(-300, 0, 600, thickness, Qt::black);
    painter.end();
    return ocr_test::gray(page);
  };
  EXPECT_FALSE(ocr::estimate_skew(stroke_page(1)));
  EXPECT_EQ(ocr::estimate_skew(stroke_page(3)), -2.0);
}

TEST(OtsuThreshold, SplitsTwoLevelsAtTheDarkOne) {
  GrayImage g(10, 10, 200);
  for (std::uint32_t x = 0; x < 10; ++x) g.at(x, 3) = 50;
  EXPECT_EQ(ocr::otsu_threshold(g), 50);
  EXPECT_EQ(ocr::otsu_threshold(GrayImage(10, 10, 90)), 127) << "nothing to split";
}

TEST(ProjectionScore, PeaksAtTheAngleOfTheLines) {
  GrayImage g(400, 400, 255);
  for (std::uint32_t y : {100u, 200u, 300u}) {
    for (std::uint32_t x = 50; x < 350; ++x) g.at(x, y) = 0;
  }
  const std::uint64_t level = ocr::projection_score(g, 127, 0.0);
  EXPECT_EQ(level, 3ull * 300 * 300) << "three full bins";
  EXPECT_LT(ocr::projection_score(g, 127, 2.0), level);
  EXPECT_LT(ocr::projection_score(g, 127, -2.0), level);
  EXPECT_EQ(ocr::projection_score(g, 0, 0.0), level) << "values at the threshold count as dark";
  EXPECT_EQ(ocr::projection_score(GrayImage(50, 50, 255), 127, 1.0), 0u);
}

}  // namespace
