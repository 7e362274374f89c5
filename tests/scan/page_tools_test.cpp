#include <gtest/gtest.h>

#include <QBuffer>
#include <QImageWriter>
#include <limits>

#include "platform/worker.hpp"
#include "scan/deferred_png.hpp"
#include "scan_fixture.hpp"

namespace scan {
namespace {

using scantest::Fixture;
using scantest::numbered_image;
using scantest::png_of;

// A document of three scanned pages, 10x10, 20x10 and 30x10, the last one
// under review.
struct Document : Fixture {
  void SetUpDocument() {
    open_scan();
    for (std::uint32_t width : {10u, 20u, 30u}) {
      service->scanned_image = png_of(numbered_image(width, 10));
      if (state().current_page_view) dispatch(app::msg::ScanAnotherPage{});
      scan_page();
    }
  }
  std::vector<std::uint32_t> widths() {
    std::vector<std::uint32_t> out;
    for (const auto& page : state().scanned_pages) out.push_back(page.width);
    return out;
  }
  // The decoded PNG a page version stands for.
  RgbaImage png_pixels(const app::SharedBytes& encoded) {
    auto bytes = resolve_encoded_image(encoded);
    EXPECT_TRUE(bytes.ok());
    auto decoded = decode_image(*bytes.value());
    EXPECT_TRUE(decoded.ok());
    return to_rgba(decoded.value());
  }
};

TEST(Navigation, MovesBetweenAndReordersPages) {
  Document d;
  d.SetUpDocument();
  ASSERT_EQ(d.widths(), (std::vector<std::uint32_t>{10, 20, 30}));
  EXPECT_EQ(d.state().current_page_index, 2u);
  d.state().notice = app::Notice{"kept", "through navigation", true};

  struct Step {
    const char* control;
    std::size_t index;
    std::vector<std::uint32_t> order;
  };
  const Step steps[] = {
      {"orvane.scan.previous", 1, {10, 20, 30}}, {"orvane.scan.move-earlier", 0, {20, 10, 30}},
      {"orvane.scan.next", 1, {20, 10, 30}},     {"orvane.scan.move-later", 2, {20, 30, 10}},
      {"orvane.scan.previous", 1, {20, 30, 10}},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.control);
    d.state().crop_selection.set({0.2, 0.2, 0.8, 0.8});
    d.press(step.control);
    EXPECT_EQ(d.state().current_page_index, step.index);
    EXPECT_EQ(d.widths(), step.order);
    EXPECT_EQ(d.state().current_page_view, d.state().scanned_pages[step.index]);
    EXPECT_EQ(d.state().crop_selection.get(), app::CropSelection{});
    EXPECT_TRUE(d.shows("Page " + std::to_string(step.index + 1) + " of 3"));
  }
  EXPECT_EQ(d.state().notice, (app::Notice{"kept", "through navigation", true}));
}

TEST(Navigation, MovesAtTheEndsChangeNothingButStillRefresh) {
  Document d;
  d.SetUpDocument();
  // The view copy is stale on purpose: a move at the end must refresh it.
  d.state().current_page_view->status_text = "stale copy";
  d.state().crop_selection.set({0.2, 0.2, 0.8, 0.8});
  d.dispatch(app::msg::MovePageLater{});
  EXPECT_EQ(d.widths(), (std::vector<std::uint32_t>{10, 20, 30}));
  EXPECT_EQ(d.state().current_page_view, d.state().scanned_pages[2]);
  EXPECT_EQ(d.state().crop_selection.get(), app::CropSelection{});

  d.dispatch(app::msg::PreviousPage{});
  d.dispatch(app::msg::PreviousPage{});
  d.dispatch(app::msg::PreviousPage{});
  EXPECT_EQ(d.state().current_page_index, 0u);
  d.dispatch(app::msg::MovePageEarlier{});
  EXPECT_EQ(d.widths(), (std::vector<std::uint32_t>{10, 20, 30}));
  EXPECT_EQ(d.state().current_page_index, 0u);
}

TEST(Navigation, RemovingPages) {
  Document d;
  d.SetUpDocument();
  d.press("orvane.scan.delete-page");  // the last of three
  EXPECT_EQ(d.widths(), (std::vector<std::uint32_t>{10, 20}));
  EXPECT_EQ(d.state().current_page_index, 1u);
  EXPECT_EQ(d.state().current_page_view->width, 20u);
  d.press("orvane.scan.previous");
  d.press("orvane.scan.delete-page");  // the first: the next one takes its place
  EXPECT_EQ(d.widths(), (std::vector<std::uint32_t>{20}));
  EXPECT_EQ(d.state().current_page_index, 0u);
  d.press("orvane.scan.delete-page");
  EXPECT_TRUE(d.state().scanned_pages.empty());
  EXPECT_EQ(d.state().current_page_index, 0u);
  EXPECT_FALSE(d.state().current_page_view);
  EXPECT_TRUE(d.shows("Scan a document"));
  // With nothing left, removing again changes nothing.
  d.dispatch(app::msg::DeletePage{});
  EXPECT_TRUE(d.state().scanned_pages.empty());
}

TEST(Rotate, TurnsThePageAndMarksItsTextStale) {
  Document d;
  d.SetUpDocument();
  d.state().notice = app::Notice{"old", "notice", false};
  d.state().crop_selection.set({0.2, 0.2, 0.8, 0.8});
  const app::ScannedPage before = d.state().scanned_pages[2];
  d.press("orvane.scan.rotate");
  const app::ScannedPage& page = d.state().scanned_pages[2];
  EXPECT_EQ(page.width, 10u);
  EXPECT_EQ(page.height, 30u);
  EXPECT_EQ(*page.pixels, rotate_clockwise(view_of(numbered_image(30, 10))).pixels);
  EXPECT_NE(page.encoded_image, before.encoded_image);
  EXPECT_EQ(page.recognized_text, std::nullopt);
  EXPECT_EQ(page.status_text, "Text recognition needs updating after rotation.");
  EXPECT_TRUE(page.recognition_stale);
  EXPECT_FALSE(page.recognition_running);
  EXPECT_FALSE(d.state().notice);
  EXPECT_EQ(d.state().current_page_view, page);
  // Rotation keeps the selection; the old version's buffers are untouched.
  EXPECT_EQ(d.state().crop_selection.get(), (app::CropSelection{0.2, 0.2, 0.8, 0.8}));
  EXPECT_EQ(*before.pixels, numbered_image(30, 10).pixels);
  EXPECT_TRUE(d.has_control("orvane.scan.recognize"));
  EXPECT_TRUE(d.shows("Portrait page"));
  // The encoded image is a PNG of the new pixels.
  EXPECT_EQ(d.png_pixels(page.encoded_image), (RgbaImage{10, 30, *page.pixels}));
}

TEST(Rotate, FourTurnsGiveBackThePixelsButAPng) {
  Fixture f;
  // The scanner sends BMP: after four turns the page is the same picture,
  // but its file is now a PNG.
  QImage picture(12, 5, QImage::Format_RGB32);
  picture.fill(QColor(10, 120, 200));
  QByteArray bmp;
  QBuffer buffer(&bmp);
  buffer.open(QIODevice::WriteOnly);
  ASSERT_TRUE(QImageWriter(&buffer, "bmp").write(picture));
  f.service->scanned_image.assign(bmp.begin(), bmp.end());
  f.open_scan();
  f.scan_page();
  const app::ScannedPage first = f.state().scanned_pages[0];
  for (int i = 0; i < 4; ++i) f.dispatch(app::msg::RotatePage{});
  const app::ScannedPage& page = f.state().scanned_pages[0];
  EXPECT_EQ(*page.pixels, *first.pixels);
  EXPECT_EQ(page.width, 12u);
  EXPECT_EQ(page.height, 5u);
  const auto png = resolve_encoded_image(page.encoded_image);
  ASSERT_TRUE(png.ok());
  const std::vector<std::uint8_t> signature{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  ASSERT_GE(png.value()->size(), signature.size());
  EXPECT_TRUE(std::equal(signature.begin(), signature.end(), png.value()->begin()));
  EXPECT_NE(*png.value(), *first.encoded_image);
  EXPECT_EQ(to_rgba(decode_image(*png.value()).value()), (RgbaImage{12, 5, *first.pixels}));
}

TEST(Crop, CutsToTheSelectionAndResetsIt) {
  Document d;
  d.SetUpDocument();
  d.state().notice = app::Notice{"old", "notice", false};
  d.state().crop_selection.set({0.5, 0.5, 1, 1});
  d.press("orvane.scan.apply-crop");
  const app::ScannedPage& page = d.state().scanned_pages[2];
  EXPECT_EQ(page.width, 15u);
  EXPECT_EQ(page.height, 5u);
  EXPECT_EQ(*page.pixels, crop(view_of(numbered_image(30, 10)), {15, 5, 15, 5}).pixels);
  EXPECT_EQ(page.status_text, "Text recognition needs updating after cropping.");
  EXPECT_TRUE(page.recognition_stale);
  EXPECT_FALSE(d.state().notice);
  EXPECT_EQ(d.state().crop_selection.get(), app::CropSelection{});
  EXPECT_EQ(d.state().current_page_view, page);
  EXPECT_TRUE(d.shows("Landscape page"));
  EXPECT_EQ(d.png_pixels(page.encoded_image), (RgbaImage{15, 5, *page.pixels}));
}

TEST(Crop, WholePageIsIgnoredSilentlyAndAlmostWholeCrops) {
  Document d;
  d.SetUpDocument();
  const ui::Widget* view = d.state().content.get();
  const app::ScannedPage before = d.state().scanned_pages[2];
  d.dispatch(app::msg::ApplyCrop{});
  EXPECT_EQ(d.state().content.get(), view);
  EXPECT_EQ(d.state().scanned_pages[2], before);

  d.state().crop_selection.set({0, 0, 1, 0.999});
  d.dispatch(app::msg::ApplyCrop{});
  const app::ScannedPage& page = d.state().scanned_pages[2];
  EXPECT_EQ(*page.pixels, *before.pixels);
  EXPECT_NE(page.encoded_image, before.encoded_image);
  EXPECT_TRUE(page.recognition_stale);
}

TEST(Crop, BadSelectionsLeaveThePageAlone) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  const app::CropSelection selections[] = {
      {nan, 0, 1, 1},   {0, 0, inf, 1},    {0, -inf, 1, 1},   {-0.1, 0, 1, 1},
      {0.9, 0, 0.1, 1}, {0.5, 0, 0.54, 1}, {0, 0.3, 1, 0.33}, {0, 0, 1.2, 1},
  };
  Document d;
  d.SetUpDocument();
  const app::ScannedPage before = d.state().scanned_pages[2];
  for (const app::CropSelection& selection : selections) {
    SCOPED_TRACE(std::to_string(selection.left) + " " + std::to_string(selection.top) + " " +
                 std::to_string(selection.right) + " " + std::to_string(selection.bottom));
    d.state().notice.reset();
    d.state().crop_selection.set(selection);
    d.dispatch(app::msg::ApplyCrop{});
    EXPECT_EQ(d.state().scanned_pages[2], before);
    EXPECT_EQ(d.state().notice,
              (app::Notice{"Could not crop this page", "crop selection was invalid", false}));
    EXPECT_TRUE(d.shows("Could not crop this page"));
  }
}

TEST(PageTools, IncompletePixelsAreReported) {
  Document d;
  d.SetUpDocument();
  app::ScannedPage& page = d.state().scanned_pages[2];
  page.pixels = std::make_shared<const std::vector<std::uint8_t>>(30 * 10 * 4 - 1);
  const app::ScannedPage before = page;
  d.dispatch(app::msg::RotatePage{});
  EXPECT_EQ(d.state().notice, (app::Notice{"Could not rotate this page",
                                           "scanned page pixels were incomplete", false}));
  d.state().crop_selection.set({0.1, 0.1, 0.9, 0.9});
  d.dispatch(app::msg::ApplyCrop{});
  EXPECT_EQ(d.state().notice, (app::Notice{"Could not crop this page",
                                           "scanned page pixels were incomplete", false}));
  EXPECT_EQ(d.state().scanned_pages[2], before);
}

TEST(PageTools, NoPageUnderTheIndexOnlyRebuilds) {
  Fixture f;
  f.open_scan();
  for (app::Message message :
       {app::Message{app::msg::RotatePage{}}, app::Message{app::msg::ApplyCrop{}}}) {
    f.state().crop_selection.set({0.1, 0.1, 0.9, 0.9});
    const ui::Widget* before = f.state().content.get();
    f.dispatch(std::move(message));
    EXPECT_NE(f.state().content.get(), before);
    EXPECT_FALSE(f.state().notice);
  }
}

TEST(DeferredPng, TheUiThreadOnlyStartsTheEncoding) {
  const RgbaImage image = numbered_image(64, 48);
  auto pixels = std::make_shared<const std::vector<std::uint8_t>>(image.pixels);
  platform::clear_started_workers();
  const app::SharedBytes token = encode_png_later(pixels, 64, 48);
  EXPECT_EQ(platform::started_workers(), (std::vector<std::string>{"qiro-encode-scanned-page"}));
  EXPECT_TRUE(stands_for_png(token));
  auto png = resolve_encoded_image(token);
  ASSERT_TRUE(png.ok());
  EXPECT_EQ(to_rgba(decode_image(*png.value()).value()), image);
  // The same PNG every time; other buffers resolve to themselves.
  EXPECT_EQ(resolve_encoded_image(token).value(), png.value());
  const auto plain = std::make_shared<const std::vector<std::uint8_t>>(3, 7);
  EXPECT_FALSE(stands_for_png(plain));
  EXPECT_EQ(resolve_encoded_image(plain).value(), plain);
}

TEST(DeferredPng, WithoutAWorkerTheResolverEncodes) {
  const RgbaImage image = numbered_image(8, 8);
  auto pixels = std::make_shared<const std::vector<std::uint8_t>>(image.pixels);
  platform::set_worker_spawn_failure_for_tests(true);
  const app::SharedBytes token = encode_png_later(pixels, 8, 8);
  platform::set_worker_spawn_failure_for_tests(false);
  auto png = resolve_encoded_image(token);
  ASSERT_TRUE(png.ok());
  EXPECT_EQ(to_rgba(decode_image(*png.value()).value()), image);

  // Pixels too short for the size: the encoder's failure comes back.
  const app::SharedBytes broken =
      encode_png_later(std::make_shared<const std::vector<std::uint8_t>>(10), 8, 8);
  EXPECT_FALSE(resolve_encoded_image(broken).ok());
}

}  // namespace
}  // namespace scan
