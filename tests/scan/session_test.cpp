#include <gtest/gtest.h>

#include "scan/deferred_png.hpp"
#include "scan_fixture.hpp"
#include "temp_folder.hpp"
#include "text_page.hpp"

namespace scan {
namespace {

// One whole session through the controls, against the in-memory service and
// the real recognition engine, ending in files checked by outside tools.
TEST(ScanSession, ThreePagesEditedRecognizedCopiedAndSaved) {
  scantest::Fixture f;
  scantest::TempFolder folder;
  f.open_scan();
  for (const char* words : {"Alpha invoice", "Bravo receipt", "Charlie letter"}) {
    if (f.state().current_page_view) f.press("orvane.scan.again");
    f.service->scanned_image = scantest::text_page_png({words});
    f.scan_page();
  }
  ASSERT_TRUE(f.shows("Page 3 selected · 3 pages total"));

  // Reorder: the third page goes before the second.
  f.press("orvane.scan.move-earlier");
  ASSERT_EQ(f.state().scanned_pages[1].recognized_text, "Charlie letter");

  // Four quarter turns: upright again, but a new image whose text is stale.
  for (int i = 0; i < 4; ++i) f.press("orvane.scan.rotate");
  EXPECT_TRUE(f.shows("Text recognition needs updating after rotation."));
  f.press("orvane.scan.recognize");
  ASSERT_TRUE(f.pump_until([&] { return !f.state().scanned_pages[1].recognition_running; }));
  EXPECT_EQ(f.state().scanned_pages[1].recognized_text, "Charlie letter");

  // Crop the last page, keeping its line of text, and read it again.
  f.press("orvane.scan.next");
  f.state().crop_selection.set({0.0, 0.0, 0.9, 0.9});
  f.press("orvane.scan.apply-crop");
  EXPECT_TRUE(f.shows("Text recognition needs updating after cropping."));
  f.press("orvane.scan.recognize");
  ASSERT_TRUE(f.pump_until([&] { return !f.state().scanned_pages[2].recognition_running; }));
  EXPECT_EQ(f.state().scanned_pages[2].recognized_text, "Bravo receipt");

  f.press("orvane.scan.copy-text");
  EXPECT_EQ(f.clipboard->copied, std::vector<std::string>{"Bravo receipt"});
  EXPECT_TRUE(f.shows("Text copied"));

  // Export the cropped page.
  f.press("orvane.scan.save-page");
  f.picker->answer(platform::PickedPath{folder / "bravo"});
  ASSERT_TRUE(f.pump_until([&] { return f.shows("Scanned page saved"); }));
  EXPECT_EQ(scantest::read_bytes(folder / "bravo.png"),
            *resolve_encoded_image(f.state().scanned_pages[2].encoded_image).value());

  // Save the whole document.
  f.press("orvane.scan.save-document");
  f.picker->answer(platform::PickedPath{folder / "session.pdf"});
  ASSERT_TRUE(f.pump_until([&] { return f.shows("Scanned document saved"); }));
  EXPECT_TRUE(f.shows("Saved session.pdf."));
  const std::string pdf = folder / "session.pdf";
  const auto check = scantest::run_command("qpdf --check '" + pdf + "'");
  EXPECT_EQ(check.status, 0) << check.output;
  const auto text = scantest::run_command("pdftotext -layout '" + pdf + "' -");
  ASSERT_EQ(text.status, 0) << text.output;
  const auto alpha = text.output.find("Alpha invoice");
  const auto charlie = text.output.find("Charlie letter");
  const auto bravo = text.output.find("Bravo receipt");
  ASSERT_NE(alpha, std::string::npos) << text.output;
  ASSERT_NE(charlie, std::string::npos) << text.output;
  ASSERT_NE(bravo, std::string::npos) << text.output;
  EXPECT_LT(alpha, charlie);
  EXPECT_LT(charlie, bravo);
  EXPECT_EQ(scantest::names_in(folder.path()),
            (std::vector<std::string>{"bravo.png", "session.pdf"}));
}

}  // namespace
}  // namespace scan
