#include "ocr/bands.hpp"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <numbers>
#include <stdexcept>
#include <vector>

#include "ocr/rotate.hpp"

namespace {

TEST(Bands, EveryIndexIsVisitedOnceWhateverTheSplit) {
  for (std::size_t count : {0u, 1u, 2u, 7u, 1000u}) {
    for (std::size_t bands : {0u, 1u, 2u, 3u, 8u, 2000u}) {
      SCOPED_TRACE(testing::Message() << count << " items in " << bands << " bands");
      std::vector<std::atomic<int>> visits(count);
      std::atomic<int> calls{0};
      ocr::for_each_band(count, bands, [&](std::size_t begin, std::size_t end) {
        ++calls;
        EXPECT_LE(begin, end);
        EXPECT_LE(end, count);
        for (std::size_t i = begin; i < end; ++i) ++visits[i];
      });
      for (std::size_t i = 0; i < count; ++i) ASSERT_EQ(visits[i].load(), 1) << "index " << i;
      EXPECT_GE(calls.load(), 1);
      EXPECT_LE(static_cast<std::size_t>(calls.load()), std::max<std::size_t>(count, 1));
    }
  }
}

TEST(Bands, AFailingBandReachesTheCallerAfterTheOthersFinish) {
  std::vector<std::atomic<int>> visits(100);
  EXPECT_THROW(ocr::for_each_band(100, 4,
                                  [&](std::size_t begin, std::size_t end) {
                                    for (std::size_t i = begin; i < end; ++i) ++visits[i];
                                    if (begin == 50) throw std::runtime_error("band failed");
                                  }),
               std::runtime_error);
  for (const auto& v : visits) EXPECT_EQ(v.load(), 1);
}

TEST(Bands, SmallWorkStaysOnTheCallingThread) {
  EXPECT_EQ(ocr::band_count(10, 10), 1u);
  EXPECT_EQ(ocr::band_count(0, 1000), 1u);
  EXPECT_LE(ocr::band_count(3000, 3000), 4u);
}

// A page big enough to be split: every pixel must be what sampling the
// source at its rotated position gives, band edges included.
TEST(Bands, ARotatedPageMatchesSamplingPixelByPixel) {
  const std::uint32_t w = 1237;
  const std::uint32_t h = 1751;
  ocr::GrayImage page(w, h);
  for (std::uint32_t y = 0; y < h; ++y) {
    for (std::uint32_t x = 0; x < w; ++x)
      page.at(x, y) = static_cast<std::uint8_t>((x * 37 + y * 11 + x * y) % 251);
  }
  const double degrees = 3.5;
  const ocr::GrayImage turned = ocr::rotate_about_center(page, degrees);
  const double radians = degrees * std::numbers::pi / 180.0;
  const double s = std::sin(radians);
  const double c = std::cos(radians);
  const double cx = (w - 1.0) / 2.0;
  const double cy = (h - 1.0) / 2.0;
  for (std::uint32_t y = 0; y < h; ++y) {
    for (std::uint32_t x = 0; x < w; ++x) {
      const double sx = (cx + c * (x - cx)) + s * (y - cy);
      const double sy = (cy - s * (x - cx)) + c * (y - cy);
      const bool outside = sx < 0 || sy < 0 || sx >= w || sy >= h;
      const int expected = outside ? 255 : ocr::sample_bilinear(page, sx, sy);
      ASSERT_EQ(turned.at(x, y), expected) << "at " << x << "," << y;
    }
  }
}

}  // namespace
