// Assembling SANE frames into one page, fed the way backends deliver data:
// in chunks that do not follow line boundaries.

#include "devices/sane/frame_assembler.hpp"

#include <gtest/gtest.h>

#include <cstring>
#include <numeric>

namespace devices::sane {
namespace {

SANE_Parameters frame(SANE_Frame format, int pixels, int bytes_per_line, int lines, int depth,
                      bool last = true) {
  SANE_Parameters parameters{};
  parameters.format = format;
  parameters.last_frame = last ? SANE_TRUE : SANE_FALSE;
  parameters.pixels_per_line = pixels;
  parameters.bytes_per_line = bytes_per_line;
  parameters.lines = lines;
  parameters.depth = depth;
  return parameters;
}

// Feeds `data` in uneven chunks (1, 2, 3 ... bytes).
void feed(FrameAssembler& assembler, const std::vector<std::uint8_t>& data) {
  std::size_t at = 0;
  for (std::size_t chunk = 1; at < data.size(); ++chunk) {
    const std::size_t size = std::min(chunk, data.size() - at);
    ASSERT_TRUE(assembler.add(data.data() + at, size).ok());
    at += size;
  }
}

std::vector<std::uint8_t> sequence(std::size_t size, std::uint8_t start = 0) {
  std::vector<std::uint8_t> values(size);
  std::iota(values.begin(), values.end(), start);
  return values;
}

TEST(FrameAssembler, OneRgbFrame) {
  FrameAssembler assembler;
  ASSERT_TRUE(assembler.begin_frame(frame(SANE_FRAME_RGB, 4, 12, 3, 8)).ok());
  const auto data = sequence(36);
  feed(assembler, data);
  ASSERT_TRUE(assembler.end_frame().ok());
  ASSERT_TRUE(assembler.complete());
  auto image = assembler.finish(300);
  ASSERT_TRUE(image.ok()) << image.error();
  EXPECT_EQ(image->width, 4u);
  EXPECT_EQ(image->height, 3u);
  EXPECT_EQ(image->channels, 3);
  EXPECT_EQ(image->depth, 8);
  EXPECT_EQ(image->dots_per_inch, 300u);
  EXPECT_EQ(image->rows, data);
}

TEST(FrameAssembler, ThreePassesInterleaveInAnyOrder) {
  const auto red = sequence(6, 0);
  const auto green = sequence(6, 100);
  const auto blue = sequence(6, 200);
  FrameAssembler assembler;
  const std::pair<SANE_Frame, const std::vector<std::uint8_t>*> passes[] = {
      {SANE_FRAME_BLUE, &blue}, {SANE_FRAME_RED, &red}, {SANE_FRAME_GREEN, &green}};
  for (int i = 0; i < 3; ++i) {
    ASSERT_TRUE(assembler.begin_frame(frame(passes[i].first, 3, 3, 2, 8, i == 2)).ok());
    feed(assembler, *passes[i].second);
    ASSERT_TRUE(assembler.end_frame().ok());
    EXPECT_EQ(assembler.complete(), i == 2);
  }
  auto image = assembler.finish(0);
  ASSERT_TRUE(image.ok()) << image.error();
  EXPECT_EQ(image->channels, 3);
  EXPECT_EQ(image->rows, (std::vector<std::uint8_t>{0, 100, 200, 1, 101, 201, 2, 102, 202,  //
                                                    3, 103, 203, 4, 104, 204, 5, 105, 205}));
}

TEST(FrameAssembler, UnknownHeightKeepsWholeLinesOnly) {
  FrameAssembler assembler;
  ASSERT_TRUE(assembler.begin_frame(frame(SANE_FRAME_GRAY, 5, 5, -1, 8)).ok());
  feed(assembler, sequence(5 * 7 + 3));  // seven lines and a partial one
  ASSERT_TRUE(assembler.end_frame().ok());
  auto image = assembler.finish(0);
  ASSERT_TRUE(image.ok());
  EXPECT_EQ(image->height, 7u);
  EXPECT_EQ(image->rows, sequence(35));
}

TEST(FrameAssembler, PaddingAfterThePixelsIsDropped) {
  FrameAssembler assembler;
  ASSERT_TRUE(assembler.begin_frame(frame(SANE_FRAME_GRAY, 3, 8, 2, 8)).ok());
  feed(assembler, {1, 2, 3, 9, 9, 9, 9, 9, 4, 5, 6, 9, 9, 9, 9, 9});
  ASSERT_TRUE(assembler.end_frame().ok());
  auto image = assembler.finish(0);
  ASSERT_TRUE(image.ok());
  EXPECT_EQ(image->rows, (std::vector<std::uint8_t>{1, 2, 3, 4, 5, 6}));
}

TEST(FrameAssembler, LinesBeyondTheAnnouncedHeightAreDropped) {
  FrameAssembler assembler;
  ASSERT_TRUE(assembler.begin_frame(frame(SANE_FRAME_GRAY, 2, 2, 2, 8)).ok());
  feed(assembler, sequence(8));
  ASSERT_TRUE(assembler.end_frame().ok());
  auto image = assembler.finish(0);
  ASSERT_TRUE(image.ok());
  EXPECT_EQ(image->height, 2u);
}

TEST(FrameAssembler, SixteenBitSamplesBecomeBigEndian) {
  FrameAssembler assembler;
  ASSERT_TRUE(assembler.begin_frame(frame(SANE_FRAME_GRAY, 2, 4, 1, 16)).ok());
  const std::uint16_t samples[] = {0x1234, 0xABCD};
  std::vector<std::uint8_t> bytes(4);
  std::memcpy(bytes.data(), samples, 4);
  feed(assembler, bytes);
  ASSERT_TRUE(assembler.end_frame().ok());
  auto image = assembler.finish(0);
  ASSERT_TRUE(image.ok());
  EXPECT_EQ(image->depth, 16);
  EXPECT_EQ(image->rows, (std::vector<std::uint8_t>{0x12, 0x34, 0xAB, 0xCD}));
}

TEST(FrameAssembler, LineArtIsInvertedForPng) {
  FrameAssembler assembler;
  // 10 pixels in 2 bytes per line; SANE's 1 is black.
  ASSERT_TRUE(assembler.begin_frame(frame(SANE_FRAME_GRAY, 10, 2, 1, 1)).ok());
  feed(assembler, {0b1000'0001, 0b1100'0000});
  ASSERT_TRUE(assembler.end_frame().ok());
  auto image = assembler.finish(0);
  ASSERT_TRUE(image.ok());
  EXPECT_EQ(image->depth, 1);
  EXPECT_EQ(image->row_bytes(), 2u);
  EXPECT_EQ(image->rows[0], 0b0111'1110);
  EXPECT_EQ(image->rows[1] & 0b1100'0000, 0);
}

TEST(FrameAssembler, OneBitColourBecomesEightBit) {
  FrameAssembler assembler;
  ASSERT_TRUE(assembler.begin_frame(frame(SANE_FRAME_RGB, 2, 1, 1, 1)).ok());
  feed(assembler, {0b1010'1100});  // pixel 1: R, B on; pixel 2: R, G on
  ASSERT_TRUE(assembler.end_frame().ok());
  auto image = assembler.finish(0);
  ASSERT_TRUE(image.ok());
  EXPECT_EQ(image->depth, 8);
  EXPECT_EQ(image->rows, (std::vector<std::uint8_t>{255, 0, 255, 0, 255, 255}));
}

TEST(FrameAssembler, InconsistentFramesAreErrors) {
  {
    FrameAssembler assembler;
    EXPECT_FALSE(assembler.begin_frame(frame(SANE_FRAME_RGB, 4, 11, 1, 8)).ok())
        << "lines shorter than their pixels";
  }
  {
    FrameAssembler assembler;
    EXPECT_FALSE(assembler.begin_frame(frame(SANE_FRAME_GRAY, 4, 4, 1, 12)).ok()) << "depth 12";
    EXPECT_FALSE(assembler.begin_frame(frame(SANE_FRAME_GRAY, 0, 4, 1, 8)).ok()) << "no pixels";
    EXPECT_FALSE(assembler.add(nullptr, 0).ok()) << "data before a frame";
  }
  {
    FrameAssembler assembler;
    ASSERT_TRUE(assembler.begin_frame(frame(SANE_FRAME_RED, 2, 2, 1, 8, false)).ok());
    ASSERT_TRUE(assembler.end_frame().ok());
    EXPECT_FALSE(assembler.begin_frame(frame(SANE_FRAME_GREEN, 3, 3, 1, 8, false)).ok())
        << "another width";
    EXPECT_FALSE(assembler.begin_frame(frame(SANE_FRAME_RED, 2, 2, 1, 8, false)).ok())
        << "red twice";
    ASSERT_TRUE(assembler.begin_frame(frame(SANE_FRAME_BLUE, 2, 2, 1, 8, true)).ok());
    feed(assembler, {1, 2});
    ASSERT_TRUE(assembler.end_frame().ok());
    EXPECT_FALSE(assembler.finish(0).ok()) << "green never came";
  }
  {
    FrameAssembler assembler;
    ASSERT_TRUE(assembler.begin_frame(frame(SANE_FRAME_GRAY, 2, 2, 1, 8, false)).ok());
    EXPECT_FALSE(assembler.finish(0).ok()) << "the last frame never came";
  }
  {
    FrameAssembler assembler;
    ASSERT_TRUE(assembler.begin_frame(frame(SANE_FRAME_GRAY, 2, 2, 1, 8)).ok());
    ASSERT_TRUE(assembler.end_frame().ok());
    EXPECT_FALSE(assembler.finish(0).ok()) << "no lines at all";
  }
}

TEST(FrameAssembler, RefusesPagesBeyondItsLimit) {
  FrameAssembler assembler(1000);
  // A backend may announce any size; memory is only taken as data arrives.
  ASSERT_TRUE(assembler.begin_frame(frame(SANE_FRAME_RGB, 100000, 300000, 100000, 8)).ok());
  std::vector<std::uint8_t> chunk(600);
  EXPECT_TRUE(assembler.add(chunk.data(), chunk.size()).ok());
  EXPECT_FALSE(assembler.add(chunk.data(), chunk.size()).ok());
}

}  // namespace
}  // namespace devices::sane
