#include "ocr/rotate.hpp"

#include <gtest/gtest.h>

namespace {

using ocr::GrayImage;

TEST(SampleBilinear, InterpolatesAndRoundsHalvesAwayFromZero) {
  GrayImage g(2, 2);
  g.at(0, 0) = 0;
  g.at(1, 0) = 100;
  g.at(0, 1) = 200;
  g.at(1, 1) = 255;
  struct Case {
    double x, y;
    int value;
  };
  const Case cases[] = {
      {0, 0, 0},      {1, 0, 100},         {0, 1, 200},     {1, 1, 255},       {0.5, 0, 50},
      {0.125, 0, 13}, {0.375, 0, 38},      {0.5, 0.5, 139}, {0, 0.5, 100},     {1.5, 0, 100},
      {5, 5, 255},    {0.999, 0.999, 255}, {-3, 0, 0},      {0.25, 0.75, 167},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ocr::sample_bilinear(g, c.x, c.y), c.value) << c.x << "," << c.y;
  }
}

GrayImage pattern(std::uint32_t w, std::uint32_t h) {
  GrayImage g(w, h);
  for (std::uint32_t y = 0; y < h; ++y) {
    for (std::uint32_t x = 0; x < w; ++x)
      g.at(x, y) = static_cast<std::uint8_t>((x * 37 + y * 11) % 251);
  }
  return g;
}

TEST(RotateAboutCenter, ZeroKeepsTheImageAndAHalfTurnMirrorsItThroughTheCentre) {
  for (auto [w, h] : {std::pair{7u, 5u}, std::pair{8u, 6u}, std::pair{1u, 1u}}) {
    const GrayImage g = pattern(w, h);
    EXPECT_EQ(ocr::rotate_about_center(g, 0.0), g);
    // sin(180 degrees) is not exactly zero, so the outermost pixels may land
    // a hair outside the source and turn white; the inside must mirror.
    const GrayImage turned = ocr::rotate_about_center(g, 180.0);
    for (std::uint32_t y = 1; y + 1 < h; ++y) {
      for (std::uint32_t x = 1; x + 1 < w; ++x) {
        ASSERT_EQ(turned.at(x, y), g.at(w - 1 - x, h - 1 - y))
            << w << "x" << h << " at " << x << "," << y;
      }
    }
  }
}

TEST(RotateAboutCenter, WhatComesFromOutsideIsWhite) {
  const GrayImage black(101, 61, 0);
  const GrayImage turned = ocr::rotate_about_center(black, 10.0);
  ASSERT_EQ(turned.width, 101u);
  ASSERT_EQ(turned.height, 61u);
  EXPECT_EQ(turned.at(0, 0), 255);
  EXPECT_EQ(turned.at(100, 0), 255);
  EXPECT_EQ(turned.at(0, 60), 255);
  EXPECT_EQ(turned.at(100, 60), 255);
  EXPECT_EQ(turned.at(50, 30), 0);
}

TEST(RotateAboutCenter, TurnsTheWayTheTiltEstimateMeans) {
  // A positive angle turns clockwise on screen: the right end of a level
  // line goes down, its left end up.
  GrayImage g(201, 201, 255);
  for (std::uint32_t x = 20; x <= 180; ++x) g.at(x, 100) = 0;
  const GrayImage turned = ocr::rotate_about_center(g, 10.0);
  auto darkest_row = [&](std::uint32_t x) {
    std::uint32_t best = 0;
    for (std::uint32_t y = 1; y < 201; ++y) {
      if (turned.at(x, y) < turned.at(x, best)) best = y;
    }
    return best;
  };
  EXPECT_GT(darkest_row(170), 100u);
  EXPECT_LT(darkest_row(30), 100u);
}

}  // namespace
