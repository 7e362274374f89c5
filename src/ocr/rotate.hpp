#pragma once
// Straightening a tilted page: a rotation about the image centre with
// bilinear sampling; what rotates in from outside the page is white.

#include "ocr/image.hpp"

namespace ocr {

// The value at a fractional position; coordinates beyond the last row or
// column read the edge.
std::uint8_t sample_bilinear(const GrayImage& image, double x, double y);

// The same-size image turned by `degrees`, so that lines tilted by that angle
// come out level (the angle `estimate_skew` finds).
GrayImage rotate_about_center(const GrayImage& image, double degrees);

}  // namespace ocr
