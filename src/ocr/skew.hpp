#pragma once
// The tilt estimate: a projection-profile search over small angles on a
// reduced copy of the page. Text lines parallel to the tried angle fill few
// rows densely, which raises the sum of squared row counts.

#include <cstdint>
#include <optional>

#include "ocr/image.hpp"

namespace ocr {

inline constexpr std::uint32_t kSmallestAnalysedSide = 32;
inline constexpr std::uint32_t kAnalysisLongSide = 1200;
inline constexpr double kSmallestCorrectedTilt = 0.4;

// Otsu's threshold over the whole image (127 when no split separates it).
std::uint8_t otsu_threshold(const GrayImage& image);

// Sum of squared counts of dark pixels (value <= threshold) per row after a
// turn by `degrees` about the centre.
std::uint64_t projection_score(const GrayImage& image, std::uint8_t threshold, double degrees);

// The tilt of the text lines in degrees (-5 to 5 in steps of 0.5), or none
// when the page is too small, has too little or too much ink, or shows no
// clear tilt.
std::optional<double> estimate_skew(const GrayImage& image);

}  // namespace ocr
