#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/worker.hpp"
#include "scan/recognition.hpp"
#include "scan_fixture.hpp"
#include "text_page.hpp"

namespace scan {
namespace {

using scantest::Fixture;

ocr::OcrWord word(std::string text, std::uint32_t line, std::uint32_t number) {
  ocr::OcrWord w;
  w.text = std::move(text);
  w.page_num = 1;
  w.block_num = 1;
  w.par_num = 1;
  w.line_num = line;
  w.word_num = number;
  return w;
}

EngineOutcome words(std::vector<ocr::OcrWord> list) {
  return ocr::OcrResult{std::move(list), "eng"};
}
EngineOutcome failure(ocr::OcrError::Kind kind) { return platform::err(ocr::OcrError{kind, "x"}); }

TEST(RecognitionText, AtCapture) {
  using Kind = ocr::OcrError::Kind;
  const std::pair<EngineOutcome, app::RecognitionText> rows[] = {
      {words({word("Invoice", 1, 1), word("42", 1, 2), word("Paid", 2, 1)}),
       {"Invoice 42\nPaid", "Recognized 3 words."}},
      {words({word("Alone", 1, 1)}), {"Alone", "Recognized 1 words."}},
      {words({}), {std::nullopt, "No text was found on this page."}},
      {failure(Kind::NotInstalled),
       {std::nullopt, "Text recognition is not installed; the scanned page is still ready."}},
      {failure(Kind::Engine),
       {std::nullopt, "Text could not be recognized; the scanned page is still ready."}},
      {failure(Kind::ImageTooLarge),
       {std::nullopt, "Text could not be recognized; the scanned page is still ready."}},
  };
  for (const auto& [outcome, expected] : rows) {
    EXPECT_EQ(describe_capture_outcome(outcome), expected) << expected.status_text;
  }
}

TEST(RecognitionText, AfterAnEdit) {
  using Kind = ocr::OcrError::Kind;
  auto found = describe_update_outcome(words({word("Alone", 1, 1)}));
  ASSERT_TRUE(found.ok());
  EXPECT_EQ(found.value(), (app::RecognitionText{"Alone", "Recognized 1 words."}));
  auto none = describe_update_outcome(words({}));
  EXPECT_EQ(none.value(), (app::RecognitionText{std::nullopt, "No text was found on this page."}));
  // A missing engine reads like any other failure here.
  for (Kind kind : {Kind::NotInstalled, Kind::Engine, Kind::Io}) {
    auto failed = describe_update_outcome(failure(kind));
    ASSERT_FALSE(failed.ok());
    EXPECT_EQ(failed.error(), "Text could not be recognized on this page.");
  }
  auto short_pixels = recognize_page_pixels(std::make_shared<const std::vector<std::uint8_t>>(399),
                                            10, 10, "English");
  EXPECT_EQ(short_pixels.error(), "The scanned page pixels were incomplete.");
}

// A document of two scanned pages (text pages, read by the real engine),
// the second one under review.
struct Recognition : Fixture {
  void SetUpPages() {
    open_scan();
    service->scanned_image = scantest::text_page_png({"First page"});
    scan_page();
    dispatch(app::msg::ScanAnotherPage{});
    service->scanned_image = scantest::text_page_png({"Quarterly report", "Second page"});
    scan_page();
  }
  app::ScannedPage& page(std::size_t i) { return state().scanned_pages[i]; }
};

TEST(Recognition, CaptureReadsTheWordsOfThePage) {
  Recognition r;
  r.SetUpPages();
  EXPECT_EQ(r.page(0).recognized_text, "First page");
  EXPECT_EQ(r.page(0).status_text, "Recognized 2 words.");
  EXPECT_EQ(r.page(1).recognized_text, "Quarterly report\nSecond page");
  EXPECT_EQ(r.page(1).status_text, "Recognized 4 words.");
  EXPECT_TRUE(r.shows("Quarterly report\nSecond page"));
}

TEST(Recognition, UpdateAfterRotationReadsTheNewImage) {
  Recognition r;
  r.SetUpPages();
  for (int i = 0; i < 4; ++i) r.press("orvane.scan.rotate");  // upright again, but a new image
  EXPECT_FALSE(r.page(1).recognized_text);
  platform::clear_started_workers();
  r.press("orvane.scan.recognize");
  EXPECT_TRUE(r.page(1).recognition_running);
  EXPECT_TRUE(r.shows("Updating recognized text…"));
  EXPECT_FALSE(r.has_control("orvane.scan.recognize"));
  // A second press while it runs starts nothing.
  r.dispatch(app::msg::RecognizePage{});
  const auto workers = platform::started_workers();
  EXPECT_EQ(std::count(workers.begin(), workers.end(), "qiro-recognize-scanned-page"), 1);

  ASSERT_TRUE(r.pump_until([&] { return !r.page(1).recognition_running; }));
  EXPECT_EQ(r.page(1).recognized_text, "Quarterly report\nSecond page");
  EXPECT_EQ(r.page(1).status_text, "Recognized 4 words.");
  EXPECT_FALSE(r.page(1).recognition_stale);
  EXPECT_EQ(r.state().current_page_view, r.page(1));
  EXPECT_TRUE(r.has_control("orvane.scan.copy-text"));
}

TEST(Recognition, ResultsFindTheirPageByBufferIdentity) {
  Recognition r;
  r.SetUpPages();
  r.dispatch(app::msg::RotatePage{});
  app::ScannedPage& edited = r.page(1);
  edited.recognition_running = true;
  r.state().current_page_view = edited;
  const app::ScannedPage before = edited;
  const ui::Widget* view = r.state().content.get();

  // Equal bytes in another buffer are not the page.
  const auto twin = std::make_shared<const std::vector<std::uint8_t>>(*edited.encoded_image);
  r.dispatch(app::msg::RecognitionFinished{twin, app::RecognitionText{"nope", "nope"}});
  EXPECT_EQ(r.page(1), before);
  EXPECT_EQ(r.state().content.get(), view);

  // The first page's own buffer updates the first page only; the view copy
  // (of the second page) stays.
  r.dispatch(app::msg::RecognitionFinished{r.page(0).encoded_image,
                                           app::RecognitionText{"Other", "Recognized 1 words."}});
  EXPECT_EQ(r.page(0).recognized_text, "Other");
  EXPECT_EQ(r.state().current_page_view, before);

  r.dispatch(app::msg::RecognitionFinished{edited.encoded_image,
                                           app::RecognitionText{"Fresh", "Recognized 1 words."}});
  EXPECT_EQ(r.page(1).recognized_text, "Fresh");
  EXPECT_FALSE(r.page(1).recognition_stale);
  EXPECT_FALSE(r.page(1).recognition_running);
  EXPECT_EQ(r.state().current_page_view, r.page(1));
  EXPECT_FALSE(r.state().notice);
}

TEST(Recognition, LateResultsOfEditedOrRemovedPagesAreDropped) {
  Recognition r;
  r.SetUpPages();
  r.dispatch(app::msg::RotatePage{});
  r.dispatch(app::msg::RecognizePage{});
  const app::SharedBytes read = r.page(1).encoded_image;
  // Rotating while it runs: running clears, stale stays, the button is back.
  r.dispatch(app::msg::RotatePage{});
  EXPECT_FALSE(r.page(1).recognition_running);
  EXPECT_TRUE(r.page(1).recognition_stale);
  EXPECT_TRUE(r.has_control("orvane.scan.recognize"));
  const app::ScannedPage rotated = r.page(1);
  r.dispatch(app::msg::RecognitionFinished{read, app::RecognitionText{"old", "old"}});
  EXPECT_EQ(r.page(1), rotated);

  const app::SharedBytes removed = r.page(1).encoded_image;
  r.dispatch(app::msg::DeletePage{});
  r.dispatch(app::msg::RecognitionFinished{removed,
                                           platform::err(std::string("Text could not be "
                                                                     "recognized on this page."))});
  EXPECT_FALSE(r.state().notice);
}

TEST(Recognition, AWorkerThatCannotStartLeavesTheButton) {
  Recognition r;
  r.SetUpPages();
  r.dispatch(app::msg::RotatePage{});
  platform::set_worker_spawn_failure_for_tests(true);
  r.dispatch(app::msg::RecognizePage{});
  platform::set_worker_spawn_failure_for_tests(false);
  EXPECT_FALSE(r.page(1).recognition_running);
  EXPECT_TRUE(r.has_control("orvane.scan.recognize"));
  EXPECT_FALSE(r.state().notice);
}

TEST(Recognition, FailureKeepsTheTextAndTellsWhy) {
  Recognition r;
  r.SetUpPages();
  r.dispatch(app::msg::RotatePage{});
  r.page(1).recognition_running = true;
  r.dispatch(app::msg::RecognitionFinished{
      r.page(1).encoded_image,
      platform::err(std::string("The scanned page pixels were incomplete."))});
  EXPECT_FALSE(r.page(1).recognition_running);
  EXPECT_TRUE(r.page(1).recognition_stale);
  EXPECT_EQ(r.page(1).status_text, "Text recognition needs updating after rotation.");
  EXPECT_EQ(r.state().notice, (app::Notice{"Text was not updated",
                                           "The scanned page pixels were incomplete.", false}));
  EXPECT_TRUE(r.shows("Text was not updated"));
}

TEST(Recognition, MissingEngine) {
  Recognition r;
  r.SetUpPages();
  r.dispatch(app::msg::RotatePage{});
  const std::string path = std::getenv("PATH");
  setenv("PATH", "/nonexistent-orvane-path", 1);
  r.dispatch(app::msg::RecognizePage{});
  const bool finished = r.pump_until([&] { return !r.page(1).recognition_running; });
  setenv("PATH", path.c_str(), 1);
  ASSERT_TRUE(finished);
  EXPECT_EQ(r.state().notice, (app::Notice{"Text was not updated",
                                           "Text could not be recognized on this page.", false}));
  EXPECT_TRUE(r.page(1).recognition_stale);

  // At capture the missing engine has its own status.
  setenv("PATH", "/nonexistent-orvane-path", 1);
  r.dispatch(app::msg::ScanAnotherPage{});
  r.press("orvane.scan.start");
  const bool scanned = r.pump_until([&] { return !r.state().scan_in_progress; });
  setenv("PATH", path.c_str(), 1);
  ASSERT_TRUE(scanned);
  EXPECT_EQ(r.state().scanned_pages.back().status_text,
            "Text recognition is not installed; the scanned page is still ready.");
}

TEST(CopyRecognizedText, CopiesTheWholeTextUntrimmed) {
  Fixture f;
  f.open_scan();
  f.scan_page();
  std::string text = "  " + std::string(500, 'a') + "\n";
  f.state().scanned_pages[0].recognized_text = text;
  f.state().current_page_view = f.state().scanned_pages[0];
  f.dispatch(app::msg::CopyRecognizedText{});
  EXPECT_EQ(f.clipboard->copied, std::vector<std::string>{text});
  EXPECT_EQ(f.state().notice,
            (app::Notice{"Text copied", "Paste the recognized text into any app.", true}));
  EXPECT_TRUE(f.shows("Text copied"));

  // Blank or missing text copies nothing.
  for (std::optional<std::string> blank :
       {std::optional<std::string>(" \n\t"), std::optional<std::string>()}) {
    f.state().notice.reset();
    f.state().current_page_view->recognized_text = blank;
    f.dispatch(app::msg::CopyRecognizedText{});
    EXPECT_EQ(f.clipboard->copied.size(), 1u);
    EXPECT_FALSE(f.state().notice);
  }

  // A clipboard that refuses is not reported as a copy.
  f.state().current_page_view->recognized_text = "words";
  f.clipboard->works = false;
  f.dispatch(app::msg::CopyRecognizedText{});
  ASSERT_TRUE(f.state().notice);
  EXPECT_FALSE(f.state().notice->succeeded);
  EXPECT_EQ(f.state().notice->title, "Text was not copied");
}

}  // namespace
}  // namespace scan
