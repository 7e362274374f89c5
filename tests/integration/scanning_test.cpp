// Scanning pages from SANE's test scanner through the real service: the
// settings reach the device, every frame layout becomes a valid PNG, and the
// scanner's statuses become clear errors.

#include <gtest/gtest.h>

#include <cmath>

#include "devices/sane/sane_scanner.hpp"
#include "png_reader.hpp"
#include "service_test.hpp"

namespace orvane_test {
namespace {

using devices::ColorMode;
using devices::PaperSource;
using devices::ScanOptions;

constexpr const char* kScanner = "test:0";

// The fixture's test scanner scans an A4 page (210 x 297 mm).
std::uint32_t pixels_for(double millimetres, int dpi) {
  return static_cast<std::uint32_t>(millimetres / 25.4 * dpi);
}

class Scanning : public ServiceTest {};

TEST_F(Scanning, ListsTheTestScanner) {
  auto scanners = service_->scanners();
  ASSERT_TRUE(scanners.ok()) << scanners.error();
  ASSERT_EQ(scanners->size(), 1u);
  EXPECT_EQ(scanners->front().id, kScanner);
  EXPECT_EQ(scanners->front().name, "Noname frontend-tester");
}

struct ScanCase {
  ColorMode mode;
  int dpi;
  int colour_type;
  int depth;
};

TEST_F(Scanning, FlatbedPagesInEveryModeAndResolution) {
  const ScanCase cases[] = {
      {ColorMode::Color, 150, 2, 8},     {ColorMode::Color, 300, 2, 8},
      {ColorMode::Grayscale, 150, 0, 8}, {ColorMode::Grayscale, 300, 0, 8},
      {ColorMode::Text, 150, 0, 1},      {ColorMode::Text, 300, 0, 1},
  };
  for (const ScanCase& c : cases) {
    SCOPED_TRACE("mode " + std::to_string(static_cast<int>(c.mode)) + " at " +
                 std::to_string(c.dpi) + " dpi");
    auto page = service_->scan_page(
        kScanner, ScanOptions{static_cast<std::uint16_t>(c.dpi), c.mode, PaperSource::Flatbed});
    ASSERT_TRUE(page.ok()) << page.error();
    const DecodedPng png = decode_png(page.value());
    ASSERT_EQ(png.error, "");
    EXPECT_EQ(png.colour_type, c.colour_type);
    EXPECT_EQ(png.depth, c.depth);
    EXPECT_NEAR(png.width, pixels_for(210, c.dpi), 2);
    EXPECT_NEAR(png.height, pixels_for(297, c.dpi), 2);
    EXPECT_NEAR(png.pixels_per_metre, std::lround(c.dpi / 0.0254), 1);
  }
}

TEST_F(Scanning, TheFeederScansUntilItRunsOut) {
  // The test scanner's feeder holds ten pages and is full again after it
  // ran out; earlier scans in this process may have used some, so first
  // empty it.
  const ScanOptions feeder{150, ColorMode::Grayscale, PaperSource::Feeder};
  bool emptied = false;
  for (int page = 0; page <= 10 && !emptied; ++page) {
    emptied = !service_->scan_page(kScanner, feeder).ok();
  }
  ASSERT_TRUE(emptied);
  for (int page = 1; page <= 10; ++page) {
    auto scanned = service_->scan_page(kScanner, feeder);
    ASSERT_TRUE(scanned.ok()) << "page " << page << ": " << scanned.error();
  }
  auto empty = service_->scan_page(kScanner, feeder);
  ASSERT_FALSE(empty.ok());
  EXPECT_EQ(empty.error(), "There are no documents in the feeder.");
  // The flatbed still works after the feeder ran dry.
  EXPECT_TRUE(
      service_->scan_page(kScanner, {150, ColorMode::Grayscale, PaperSource::Flatbed}).ok());
}

TEST_F(Scanning, RequestsTheScannerCannotMeetFail) {
  auto two_sided = service_->scan_page(kScanner, {150, ColorMode::Color, PaperSource::TwoSided});
  ASSERT_FALSE(two_sided.ok());
  EXPECT_EQ(two_sided.error(), "This scanner cannot scan both sides.");

  auto unknown = service_->scan_page("test:7", {150, ColorMode::Color, PaperSource::Flatbed});
  ASSERT_FALSE(unknown.ok());
  EXPECT_FALSE(unknown.error().empty());

  auto zero = service_->scan_page(kScanner, {0, ColorMode::Color, PaperSource::Flatbed});
  EXPECT_FALSE(zero.ok());

  // A resolution beyond the scanner's range is clamped, not refused.
  {
    devices::sane::SaneScanner scanner;
    auto page = scanner.scan_raster(kScanner, {5000, ColorMode::Grayscale, PaperSource::Flatbed},
                                    {{"br-x", "10"}, {"br-y", "10"}});
    ASSERT_TRUE(page.ok()) << page.error();
    EXPECT_EQ(page->dots_per_inch, 1200u);
  }
}

// Other frame layouts: three separate colour passes (the same page), a hand
// scanner that does not know the height in advance, and padded lines.
TEST_F(Scanning, EveryFrameLayoutGivesTheSamePage) {
  devices::sane::SaneScanner scanner;
  const ScanOptions colour{75, ColorMode::Color, PaperSource::Flatbed};
  auto reference = scanner.scan_raster(kScanner, colour);
  ASSERT_TRUE(reference.ok()) << reference.error();

  auto three_pass = scanner.scan_raster(kScanner, colour, {{"three-pass", "true"}});
  ASSERT_TRUE(three_pass.ok()) << three_pass.error();
  EXPECT_EQ(three_pass->width, reference->width);
  EXPECT_EQ(three_pass->height, reference->height);
  EXPECT_EQ(three_pass->rows, reference->rows) << "the three passes interleave to the same pixels";

  // The test backend's hand scanner has a width of its own.
  auto hand = scanner.scan_raster(kScanner, colour, {{"hand-scanner", "true"}});
  ASSERT_TRUE(hand.ok()) << hand.error();
  EXPECT_GT(hand->height, 0u);
  EXPECT_EQ(hand->rows.size(), hand->row_bytes() * hand->height);

  auto padded = scanner.scan_raster(kScanner, colour, {{"ppl-loss", "7"}});
  ASSERT_TRUE(padded.ok()) << padded.error();
  EXPECT_EQ(padded->width + 7, reference->width) << "pixels, not padded bytes, make a line";
  EXPECT_EQ(padded->rows.size(), padded->row_bytes() * padded->height);
  auto png = scanner.scan_page(kScanner, colour, {{"ppl-loss", "7"}});
  ASSERT_TRUE(png.ok());
  EXPECT_EQ(decode_png(png.value()).error, "");
}

TEST_F(Scanning, ScannerStatusesBecomeClearErrors) {
  devices::sane::SaneScanner scanner;
  const struct {
    const char* status;
    const char* text;
  } cases[] = {
      {"SANE_STATUS_JAMMED", "The document feeder is jammed."},
      {"SANE_STATUS_COVER_OPEN", "The scanner cover is open."},
      {"SANE_STATUS_NO_DOCS", "There are no documents in the feeder."},
      {"SANE_STATUS_DEVICE_BUSY", "The scanner is busy."},
      {"SANE_STATUS_IO_ERROR", "The scanner could not be read (input/output error)."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.status);
    auto page = scanner.scan_page(kScanner, {75, ColorMode::Color, PaperSource::Flatbed},
                                  {{"read-return-value", c.status}});
    ASSERT_FALSE(page.ok());
    EXPECT_EQ(page.error(), c.text);
  }
  // The device recovers for the next page.
  EXPECT_TRUE(scanner.scan_page(kScanner, {75, ColorMode::Color, PaperSource::Flatbed}).ok());
}

}  // namespace
}  // namespace orvane_test
