#include <gtest/gtest.h>

#include "platform/worker.hpp"
#include "png_header.hpp"
#include "scan/capture.hpp"
#include "scan_fixture.hpp"

namespace scan {
namespace {

using scantest::Fixture;

TEST(OpenScan, SelectsTheFirstScannerAndStartsAnEmptyDocument) {
  Fixture f;
  f.open_scan();
  EXPECT_EQ(f.state().selected_scanner, "scanner0");
  EXPECT_TRUE(f.shows("Selected: Studio scanner"));
  EXPECT_TRUE(f.has_control("orvane.scan.start"));
  f.scan_page();
  f.state().notice = app::Notice{"old", "notice", true};
  f.state().resolution_choice.set(2);
  f.state().crop_selection.set({0.1, 0.1, 0.9, 0.9});

  f.dispatch(app::msg::OpenScan{});
  EXPECT_TRUE(f.state().scanned_pages.empty());
  EXPECT_FALSE(f.state().current_page_view);
  EXPECT_FALSE(f.state().notice);
  EXPECT_TRUE(f.shows("No pages captured yet"));
  // The settings outlive the document.
  EXPECT_EQ(f.state().resolution_choice.get(), 2u);
  EXPECT_EQ(f.state().crop_selection.get(), (app::CropSelection{0.1, 0.1, 0.9, 0.9}));
}

TEST(OpenScan, NoScannerWhenTheListFailedOrIsEmpty) {
  for (bool failed : {true, false}) {
    Fixture f;
    if (failed) {
      f.service->fail("scanners");
    } else {
      f.service->scanner_list.clear();
    }
    f.open_scan();
    EXPECT_EQ(f.state().selected_scanner, std::nullopt);
    EXPECT_FALSE(f.has_control("orvane.scan.start"));
    EXPECT_TRUE(f.has_control("orvane.scan.cancel"));
  }
}

TEST(StartScan, SendsTheChosenSettingsToTheService) {
  Fixture f;
  f.open_scan();
  f.press("orvane.scan.device");  // "Selected: Studio scanner" again: still scanner0
  ASSERT_TRUE(ui::select(f.view(), "orvane.scan.resolution", 2));
  ASSERT_TRUE(ui::select(f.view(), "orvane.scan.color", 2));
  ASSERT_TRUE(ui::select(f.view(), "orvane.scan.source", 1));
  ASSERT_TRUE(ui::select(f.view(), "orvane.scan.language", 3));
  f.service->hold();
  platform::clear_started_workers();
  f.press("orvane.scan.start");
  EXPECT_TRUE(f.state().scan_in_progress);
  EXPECT_TRUE(f.shows("Scanning page…"));
  EXPECT_FALSE(f.has_control("orvane.scan.start"));
  EXPECT_EQ(platform::started_workers(), (std::vector<std::string>{"qiro-scan-document"}));
  f.service->release();
  ASSERT_TRUE(f.pump_until([&] { return !f.state().scan_in_progress; }));
  EXPECT_EQ(f.service->calls().back(), "scan_page scanner0 600 2 1");
  ASSERT_EQ(f.state().scanned_pages.size(), 1u);
  EXPECT_EQ(f.state().scanned_pages[0].language_name, "Spanish");
  EXPECT_TRUE(f.shows("Reading text as Spanish"));
}

TEST(StartScan, UsesTheScannerPickedInTheView) {
  Fixture f;
  f.open_scan();
  const auto buttons = ui::find_all<ui::Button>(f.view());
  for (const ui::Button* button : buttons) {
    if (button->label == "Office scanner") button->activate();
  }
  ASSERT_TRUE(f.root->update(f.context));
  EXPECT_TRUE(f.shows("Selected: Office scanner"));
  f.scan_page();
  EXPECT_EQ(f.service->calls().back(), "scan_page scanner1 300 0 0");
}

TEST(StartScan, IgnoredWithoutAScanner) {
  Fixture f;
  f.service->scanner_list.clear();
  f.open_scan();
  const ui::Widget* before = f.state().content.get();
  platform::clear_started_workers();
  f.dispatch(app::msg::StartScan{});
  EXPECT_FALSE(f.state().scan_in_progress);
  EXPECT_EQ(f.state().content.get(), before);
  EXPECT_TRUE(platform::started_workers().empty());
}

TEST(Capture, KeepsTheScannerBytesAndDecodesThePixels) {
  Fixture f;
  f.open_scan();
  f.scan_page();
  const app::ScannedPage& page = f.state().scanned_pages[0];
  EXPECT_EQ(*page.encoded_image, f.service->scanned_image);
  EXPECT_EQ(page.width, 40u);
  EXPECT_EQ(page.height, 30u);
  EXPECT_EQ(*page.pixels, scantest::numbered_image(40, 30).pixels);
  EXPECT_FALSE(page.recognition_stale);
  EXPECT_FALSE(page.recognition_running);
  EXPECT_EQ(f.state().current_page_view, page);
  EXPECT_TRUE(f.shows("Page 1 of 1"));
}

TEST(Capture, FailuresBecomeOneNoticeAndLoseNothing) {
  struct Row {
    const char* name;
    std::vector<std::uint8_t> bytes;
    bool service_fails;
  };
  const Row rows[] = {
      {"service error", {}, true},
      {"undecodable", std::vector<std::uint8_t>(1000, 0x5A), false},
      {"zero-size header", scantest::png_with_header(0, 0), false},
      {"30000 x 30000 header", scantest::png_with_header(30000, 30000), false},
      {"empty", {}, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Fixture f;
    f.open_scan();
    f.scan_page();  // a good page first: it must survive the failure
    f.service->scanned_image = row.bytes;
    if (row.service_fails) f.service->fail("scan_page", "jammed");
    f.dispatch(app::msg::ScanAnotherPage{});
    f.press("orvane.scan.start");
    ASSERT_TRUE(f.pump_until([&] { return !f.state().scan_in_progress; }));
    EXPECT_EQ(f.state().scanned_pages.size(), 1u);
    EXPECT_EQ(f.state().notice,
              (app::Notice{"Could not scan this page",
                           "Check that the scanner is connected and the paper is positioned, then "
                           "try again.",
                           false}));
    EXPECT_TRUE(f.shows("Could not scan this page"));
    EXPECT_TRUE(f.has_control("orvane.scan.start"));
  }
}

TEST(Capture, DecoderReasonTravelsInTheMessage) {
  support::InMemoryService service;
  service.scanned_image = std::vector<std::uint8_t>(100, 1);
  auto outcome = capture_page(make_scan_request("scanner0", 0, 0, 0, 0, {}), service);
  ASSERT_FALSE(outcome.ok());
  EXPECT_TRUE(outcome.error().starts_with("scanner returned an invalid image: "))
      << outcome.error();
  service.fail("scan_page", "Document feeder jammed");
  outcome = capture_page(make_scan_request("scanner0", 0, 0, 0, 0, {}), service);
  EXPECT_EQ(outcome.error(), "Document feeder jammed");
}

TEST(Capture, FinishingAfterCancelStillAddsThePage) {
  Fixture f;
  f.open_scan();
  f.service->hold();
  f.press("orvane.scan.start");
  f.press("orvane.scan.cancel");
  EXPECT_FALSE(f.state().scan_in_progress);
  EXPECT_FALSE(f.has_control("orvane.scan.cancel"));  // the dashboard
  f.service->release();
  ASSERT_TRUE(f.pump_until([&] { return !f.state().scanned_pages.empty(); }));
  EXPECT_TRUE(f.state().current_page_view);
  EXPECT_TRUE(f.shows("Scanned document"));
}

}  // namespace
}  // namespace scan
