#include "views/print_queue.hpp"

#include <gtest/gtest.h>

#include "ui/controls.hpp"
#include "view_test_support.hpp"

namespace {

using devices::JobState;
using views_test::Inbox;
using views_test::job;

// The card of the job with this display title.
ui::Card* job_card(ui::Widget& view, const std::string& title) {
  return const_cast<ui::Card*>(views_test::card_titled(view, title));
}

std::vector<std::string> control_labels(const ui::Widget& card) {
  std::vector<std::string> labels;
  for (const auto* button : ui::find_all<ui::Button>(card)) labels.push_back(button->label);
  return labels;
}

TEST(PrintQueue, ControlsFollowTheJobState) {
  struct Case {
    std::optional<JobState> state;
    std::string label;
    std::vector<std::string> controls;
  };
  const std::vector<Case> cases = {
      {JobState::Pending, "In progress", {"Cancel"}},
      {JobState::Held, "Waiting", {"Cancel"}},
      {JobState::Processing, "In progress", {"Cancel"}},
      {JobState::Stopped, "Needs attention", {"Try again", "Cancel"}},
      {JobState::Canceled, "Canceled", {"Try again"}},
      {JobState::Aborted, "Could not print", {"Try again", "Cancel"}},
      {JobState::Completed, "Printed", {}},
      {std::nullopt, "In progress", {"Cancel"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    Inbox inbox;
    auto view = views::queue_view(views_test::jobs_snapshot({job("Studio_printer-42", c.state)}),
                                  std::nullopt, std::nullopt, inbox.sender);
    auto* card = job_card(*view, "Document 42");
    ASSERT_NE(card, nullptr);
    EXPECT_TRUE(views_test::has_text(*card, c.label));
    EXPECT_EQ(control_labels(*card), c.controls);
    for (const auto* button : ui::find_all<ui::Button>(*card)) {
      EXPECT_EQ(button->style, ui::ButtonStyle::Plain);
    }
  }
}

TEST(PrintQueue, RetryAndCancelCarryTheJobId) {
  Inbox inbox;
  auto view =
      views::queue_view(views_test::jobs_snapshot({job("Studio_printer-42", JobState::Stopped)}),
                        std::nullopt, std::nullopt, inbox.sender);
  ASSERT_TRUE(ui::invoke(*view, "orvane.job.retry"));
  ASSERT_TRUE(ui::invoke(*view, "orvane.job.cancel"));
  EXPECT_EQ(inbox.drain(),
            (std::vector<app::Message>{app::msg::RetryJob{"Studio_printer-42"},
                                       app::msg::AskCancelJob{"Studio_printer-42"}}));
}

TEST(PrintQueue, CancelAsksFirstThenConfirmsOnThatCardOnly) {
  auto snapshot = views_test::jobs_snapshot({job("Studio_printer-41", JobState::Held),
                                             job("Studio_printer-42", JobState::Processing),
                                             job("Studio_printer-43", JobState::Pending)});
  Inbox inbox;
  auto asking = views::queue_view(snapshot, std::nullopt, std::nullopt, inbox.sender);
  EXPECT_FALSE(views_test::has_text(*asking, "Cancel this document?"));
  ASSERT_TRUE(ui::invoke(*job_card(*asking, "Document 42"), "orvane.job.cancel"));
  EXPECT_EQ(inbox.drain(), std::vector<app::Message>{app::msg::AskCancelJob{"Studio_printer-42"}});

  auto confirming =
      views::queue_view(snapshot, std::string("Studio_printer-42"), std::nullopt, inbox.sender);
  const auto banners = ui::find_all<ui::Banner>(*confirming);
  ASSERT_EQ(banners.size(), 1u);
  EXPECT_EQ(banners[0]->tone, ui::Tone::Warning);
  EXPECT_EQ(banners[0]->title, "Cancel this document?");
  EXPECT_EQ(banners[0]->detail, "It will be removed from the printer. This cannot be undone.");
  EXPECT_EQ(control_labels(*job_card(*confirming, "Document 41")),
            std::vector<std::string>{"Cancel"});
  EXPECT_EQ(control_labels(*job_card(*confirming, "Document 42")),
            std::vector<std::string>{"Confirm cancel"});
  EXPECT_EQ(control_labels(*job_card(*confirming, "Document 43")),
            std::vector<std::string>{"Cancel"});

  ASSERT_TRUE(ui::invoke(*job_card(*confirming, "Document 42"), "orvane.job.cancel"));
  ASSERT_TRUE(ui::invoke(*job_card(*confirming, "Document 43"), "orvane.job.cancel"));
  EXPECT_EQ(inbox.drain(),
            (std::vector<app::Message>{app::msg::CancelJob{"Studio_printer-42"},
                                       app::msg::AskCancelJob{"Studio_printer-43"}}));
}

TEST(PrintQueue, CandidateThatLeftTheListStillShowsTheBannerButNoConfirm) {
  Inbox inbox;
  auto view =
      views::queue_view(views_test::jobs_snapshot({job("Studio_printer-43", JobState::Pending)}),
                        std::string("Studio_printer-42"), std::nullopt, inbox.sender);
  EXPECT_TRUE(views_test::has_text(*view, "Cancel this document?"));
  EXPECT_FALSE(views_test::has_text(*view, "Confirm cancel"));
  EXPECT_TRUE(views_test::has_text(*view, "Cancel"));
}

TEST(PrintQueue, ShowsTheFirst24DocumentsOfEveryState) {
  std::vector<devices::PrintJob> jobs;
  for (int i = 1; i <= 30; ++i) {
    jobs.push_back(job("q-" + std::to_string(i), i % 2 ? JobState::Completed : JobState::Pending));
  }
  Inbox inbox;
  auto view =
      views::queue_view(views_test::jobs_snapshot(jobs), std::nullopt, std::nullopt, inbox.sender);
  const auto grids = ui::find_all<ui::CardGrid>(*view);
  ASSERT_EQ(grids.size(), 1u);
  EXPECT_EQ(grids[0]->min_card_width, 330);
  EXPECT_EQ(grids[0]->max_card_width, 420);
  ASSERT_EQ(grids[0]->items.size(), 24u);
  EXPECT_NE(views_test::card_titled(*view, "Document 1"), nullptr);
  EXPECT_NE(views_test::card_titled(*view, "Document 24"), nullptr);
  EXPECT_EQ(views_test::card_titled(*view, "Document 25"), nullptr);
}

TEST(PrintQueue, JobCardShowsPagePrinterAndProgress) {
  auto printing = job("Studio_printer-42", JobState::Processing);
  printing.title = "Travel itinerary.pdf";
  printing.pages_completed = 8;
  printing.pages_total = 12;
  Inbox inbox;
  auto view = views::queue_view(views_test::jobs_snapshot({printing, job("x", JobState::Held)}),
                                std::nullopt, std::nullopt, inbox.sender);
  const auto* card = views_test::card_titled(*view, "Travel itinerary.pdf");
  ASSERT_NE(card, nullptr);
  EXPECT_EQ(card->action, nullptr);
  EXPECT_EQ(ui::texts(*card),
            (std::vector<std::string>{"Travel itinerary.pdf", "Queued document", "In progress",
                                      "Sent to Studio printer", "Document progress", "Cancel"}));
  const auto* preview = ui::find_all<ui::PagePreview>(*card).at(0);
  EXPECT_EQ(preview->page, 9u);
  EXPECT_EQ(preview->page_count, 12u);
  EXPECT_NEAR(*ui::find_all<ui::ProgressBar>(*card).at(0)->fraction, 0.66, 1e-9);

  const auto* bare = views_test::card_titled(*view, "Document x");
  ASSERT_NE(bare, nullptr);
  const auto* bare_preview = ui::find_all<ui::PagePreview>(*bare).at(0);
  EXPECT_EQ(bare_preview->page, 1u);
  EXPECT_EQ(bare_preview->page_count, 1u);
  EXPECT_EQ(*ui::find_all<ui::ProgressBar>(*bare).at(0)->fraction, 0.0);
}

TEST(PrintQueue, PageLayoutWithNoticeFailureAndConfirmation) {
  auto snapshot = views_test::empty_snapshot();
  snapshot.jobs = platform::err("timeout");
  snapshot.printers = platform::err("refused");  // the queue does not ask about printers
  Inbox inbox;
  const app::Notice notice{"Could not cancel document",
                           "The document may still print. Check the queue and try again.", false};
  auto view = views::queue_view(snapshot, std::string("q-1"), notice, inbox.sender);
  EXPECT_EQ(views_test::frame_width(*view), 920);
  EXPECT_EQ(
      views_test::outline(views_test::framed_page(*view)),
      (std::vector<std::string>{"header", "gap 20", "banner Could not cancel document", "gap 14",
                                "card Print jobs couldn't be checked", "gap 14",
                                "banner Cancel this document?", "gap 14", "card Nothing waiting"}));
  EXPECT_EQ(ui::find_all<ui::Banner>(*view).front()->tone, ui::Tone::Error);
  EXPECT_TRUE(views_test::has_text(*view, "Print queue"));
  EXPECT_TRUE(views_test::has_text(*view, "Every document, in one place"));
}

TEST(PrintQueue, EmptyListSaysNothingWaiting) {
  Inbox inbox;
  auto view =
      views::queue_view(views_test::empty_snapshot(), std::nullopt, std::nullopt, inbox.sender);
  EXPECT_EQ(views_test::outline(views_test::framed_page(*view)),
            (std::vector<std::string>{"header", "gap 20", "card Nothing waiting"}));
  EXPECT_TRUE(
      views_test::has_text(*view, "New documents will appear here as soon as an app sends them."));
  ASSERT_TRUE(ui::invoke(*view, "orvane.back"));
  EXPECT_EQ(inbox.drain(), std::vector<app::Message>{app::msg::ReturnToDashboard{}});
}

}  // namespace
