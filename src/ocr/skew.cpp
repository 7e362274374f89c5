#include "ocr/skew.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <numbers>
#include <vector>

#include "ocr/bands.hpp"
#include "ocr/image_library.hpp"

namespace ocr {
namespace {

constexpr std::uint64_t kMax64 = std::numeric_limits<std::uint64_t>::max();

std::uint64_t saturating_add(std::uint64_t a, std::uint64_t b) {
  return a > kMax64 - b ? kMax64 : a + b;
}

std::uint64_t saturating_mul(std::uint64_t a, std::uint64_t b) {
  std::uint64_t product = 0;
  return __builtin_mul_overflow(a, b, &product) ? kMax64 : product;
}

std::uint32_t scaled_side(std::uint32_t side, std::uint32_t longest) {
  std::uint32_t product = 0;
  if (__builtin_mul_overflow(side, kAnalysisLongSide, &product)) {
    product = std::numeric_limits<std::uint32_t>::max();
  }
  return product / longest;
}

// The dark pixels in row order, found once for all the angles tried.
struct DarkPixels {
  std::vector<std::uint32_t> x;
  std::vector<std::uint32_t> y;
};

DarkPixels dark_pixels(const GrayImage& image, std::uint8_t threshold) {
  DarkPixels dark;
  for (std::uint32_t y = 0; y < image.height; ++y) {
    const std::uint8_t* row = image.pixels.data() + std::size_t{y} * image.width;
    for (std::uint32_t x = 0; x < image.width; ++x) {
      if (row[x] > threshold) continue;
      dark.x.push_back(x);
      dark.y.push_back(y);
    }
  }
  return dark;
}

// Nearest integer, halves away from zero, without a libm call: a value
// minus its integer part is exact for the magnitudes met here.
std::int64_t round_half_away(double v) {
  const auto whole = static_cast<std::int64_t>(v);
  const double fraction = v - static_cast<double>(whole);
  if (fraction >= 0.5) return whole + 1;
  if (fraction <= -0.5) return whole - 1;
  return whole;
}

std::uint64_t score_dark_pixels(const DarkPixels& dark, std::uint32_t w, std::uint32_t h,
                                double degrees) {
  const double radians = degrees * std::numbers::pi / 180.0;
  const double s = std::sin(radians);
  const double c = std::cos(radians);
  const double cx = (w - 1.0) / 2.0;
  const double cy = (h - 1.0) / 2.0;
  const auto pad = static_cast<std::int64_t>(std::ceil(std::abs(s) * w)) + 2;
  const std::int64_t bin_count = std::int64_t{h} + 2 * pad;
  std::vector<std::uint32_t> bins(static_cast<std::size_t>(bin_count), 0);

  // r = cy + s * (x - cx) + c * (y - cy), evaluated in that order from a
  // column term and a row term computed once each.
  std::vector<double> column_term(w);
  for (std::uint32_t x = 0; x < w; ++x) column_term[x] = cy + s * (x - cx);
  std::vector<double> row_term(h);
  for (std::uint32_t y = 0; y < h; ++y) row_term[y] = c * (y - cy);

  for (std::size_t i = 0; i < dark.x.size(); ++i) {
    const double r = column_term[dark.x[i]] + row_term[dark.y[i]];
    const std::int64_t b = round_half_away(r) + pad;
    if (b < 0 || b >= bin_count) continue;
    auto& counter = bins[static_cast<std::size_t>(b)];
    if (counter != std::numeric_limits<std::uint32_t>::max()) ++counter;
  }
  std::uint64_t score = 0;
  for (std::uint32_t counter : bins)
    score = saturating_add(score, std::uint64_t{counter} * counter);
  return score;
}

}  // namespace

std::uint8_t otsu_threshold(const GrayImage& image) {
  std::array<std::uint64_t, 256> histogram{};
  for (std::uint8_t v : image.pixels) ++histogram[v];
  const std::uint64_t n = image.pixels.size();
  std::uint64_t total = 0;
  for (std::uint64_t i = 0; i < 256; ++i)
    total = saturating_add(total, saturating_mul(i, histogram[i]));

  std::uint8_t threshold = 127;
  double best = 0;
  std::uint64_t weight_background = 0;
  std::uint64_t sum_background = 0;
  for (std::uint64_t i = 0; i < 256; ++i) {
    weight_background = saturating_add(weight_background, histogram[i]);
    if (weight_background == 0) continue;
    const std::uint64_t weight_foreground = n - std::min(n, weight_background);
    if (weight_foreground == 0) continue;
    sum_background = saturating_add(sum_background, saturating_mul(i, histogram[i]));
    const double mean_background =
        static_cast<double>(sum_background) / static_cast<double>(weight_background);
    const double mean_foreground = static_cast<double>(total - std::min(total, sum_background)) /
                                   static_cast<double>(weight_foreground);
    const double difference = mean_background - mean_foreground;
    const double between = static_cast<double>(weight_background) *
                           static_cast<double>(weight_foreground) * difference * difference;
    if (between > best) {
      best = between;
      threshold = static_cast<std::uint8_t>(i);
    }
  }
  return threshold;
}

std::uint64_t projection_score(const GrayImage& image, std::uint8_t threshold, double degrees) {
  return score_dark_pixels(dark_pixels(image, threshold), image.width, image.height, degrees);
}

std::optional<double> estimate_skew(const GrayImage& image) {
  const std::uint32_t w = image.width;
  const std::uint32_t h = image.height;
  if (w < kSmallestAnalysedSide || h < kSmallestAnalysedSide) return std::nullopt;

  const std::uint32_t longest = std::max(w, h);
  GrayImage reduced;
  const GrayImage* analysed = &image;
  if (longest > kAnalysisLongSide) {
    auto resized = resize_smooth(image, scaled_side(w, longest), scaled_side(h, longest));
    if (!resized) return std::nullopt;
    reduced = std::move(resized).value();
    analysed = &reduced;
  }
  const GrayImage& a = *analysed;
  const std::uint64_t n = a.pixels.size();

  const std::uint8_t threshold = otsu_threshold(a);
  const DarkPixels dark = dark_pixels(a, threshold);
  const std::uint64_t dark_count = dark.x.size();
  if (dark_count < n / 1000 || dark_count > 2 * n / 5) return std::nullopt;

  // Every angle from -5 to 5 degrees in half-degree steps, scored over the
  // cores; the winner is then picked in angle order, as if one by one.
  constexpr int kSteps = 10;
  std::array<std::uint64_t, 2 * kSteps + 1> scores{};
  for_each_band(scores.size(), band_count(scores.size(), dark.x.size()),
                [&](std::size_t first, std::size_t end) {
                  for (std::size_t i = first; i < end; ++i) {
                    const double angle = (static_cast<int>(i) - kSteps) / 2.0;
                    scores[i] = score_dark_pixels(dark, a.width, a.height, angle);
                  }
                });
  const std::uint64_t untilted = scores[kSteps];
  std::uint64_t best_score = untilted;
  double best_angle = 0.0;
  for (std::size_t i = 0; i < scores.size(); ++i) {
    // An angle only wins by scoring higher, so the untilted page wins ties.
    if (scores[i] > best_score) {
      best_score = scores[i];
      best_angle = (static_cast<int>(i) - kSteps) / 2.0;
    }
  }
  if (std::abs(best_angle) < kSmallestCorrectedTilt) return std::nullopt;
  if (best_score > saturating_mul(untilted, 108) / 100) return best_angle;
  return std::nullopt;
}

}  // namespace ocr
