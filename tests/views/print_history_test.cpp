#include "views/print_history.hpp"

#include <gtest/gtest.h>

#include "ui/controls.hpp"
#include "view_test_support.hpp"

namespace {

using devices::JobState;
using views_test::Inbox;
using views_test::job;

TEST(PrintHistory, CompletedJobCard) {
  auto done = job("Studio_printer-42", JobState::Completed);
  done.title = "Travel itinerary.pdf";
  done.pages_total = 12;
  Inbox inbox;
  auto view = views::history_view(views_test::jobs_snapshot({done}), inbox.sender);
  const auto* card = views_test::card_titled(*view, "Travel itinerary.pdf");
  ASSERT_NE(card, nullptr);
  EXPECT_EQ(ui::texts(*card),
            (std::vector<std::string>{"Travel itinerary.pdf", "Printed document", "Printed",
                                      "12 pages, sent to Studio printer, today", "Print again"}));
  const auto* preview = ui::find_all<ui::PagePreview>(*card).at(0);
  EXPECT_EQ(preview->page, 12u);
  EXPECT_EQ(preview->page_count, 12u);

  const auto* again = views_test::button(*view, "orvane.history.repeat.Studio_printer-42");
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(again->style, ui::ButtonStyle::Secondary);
  EXPECT_EQ(again->icon, 76);
  ASSERT_TRUE(ui::invoke(*view, "orvane.history.repeat.Studio_printer-42"));
  EXPECT_EQ(inbox.drain(), std::vector<app::Message>{app::msg::RetryJob{"Studio_printer-42"}});
}

TEST(PrintHistory, PagesTextAndPreviewByPageCount) {
  struct Case {
    std::optional<std::uint32_t> pages;
    std::string text;
    std::uint32_t preview;
  };
  const std::vector<Case> cases = {
      {1, "1 page", 1},
      {2, "2 pages", 2},
      {0, "0 pages", 1},
      {std::nullopt, "Page count unavailable", 1},
  };
  for (const auto& c : cases) {
    auto done = job("q-1", JobState::Canceled, "Office_laser");
    done.time_label = "yesterday";
    done.pages_total = c.pages;
    Inbox inbox;
    auto view = views::history_view(views_test::jobs_snapshot({done}), inbox.sender);
    EXPECT_TRUE(views_test::has_text(*view, c.text + ", sent to Office laser, yesterday"))
        << c.text;
    const auto* preview = ui::find_all<ui::PagePreview>(*view).at(0);
    EXPECT_EQ(preview->page, c.preview);
    EXPECT_EQ(preview->page_count, c.preview);
  }
}

TEST(PrintHistory, LabelsOfFinishedStates) {
  const std::vector<std::pair<JobState, std::string>> cases = {
      {JobState::Completed, "Printed"},
      {JobState::Canceled, "Canceled"},
      {JobState::Aborted, "Did not print"},
  };
  for (const auto& [state, label] : cases) {
    Inbox inbox;
    auto view = views::history_view(views_test::jobs_snapshot({job("q-1", state)}), inbox.sender);
    EXPECT_TRUE(views_test::has_text(*view, label)) << label;
  }
}

TEST(PrintHistory, FirstFiftyFinishedJobsOnlyInListOrder) {
  std::vector<devices::PrintJob> jobs;
  jobs.push_back(job("active-1", JobState::Processing));
  jobs.push_back(job("unknown-1", std::nullopt));
  for (int i = 1; i <= 60; ++i) jobs.push_back(job("q-" + std::to_string(i), JobState::Completed));
  Inbox inbox;
  auto view = views::history_view(views_test::jobs_snapshot(jobs), inbox.sender);
  const auto cards = views_test::titled_cards(*view);
  ASSERT_EQ(cards.size(), 50u);
  EXPECT_EQ(*cards.front()->title, "Document 1");
  EXPECT_EQ(*cards.back()->title, "Document 50");
  EXPECT_EQ(views_test::card_titled(*view, "Document 51"), nullptr);
  EXPECT_EQ(views_test::button(*view, "orvane.history.repeat.active-1"), nullptr);
  EXPECT_EQ(views_test::button(*view, "orvane.history.repeat.unknown-1"), nullptr);

  const auto& page = views_test::framed_page(*view);
  const auto& first_box = dynamic_cast<const ui::Container&>(*page.items.at(2));
  EXPECT_EQ(first_box.max_width, 840);
  EXPECT_EQ(views_test::describe(*page.items.at(3)), "gap 12");
}

TEST(PrintHistory, NothingFinishedSaysSo) {
  const std::string body = "After a document finishes or is canceled, its status will appear here.";
  Inbox inbox;
  {
    auto view = views::history_view(views_test::jobs_snapshot({job("q-1", JobState::Pending)}),
                                    inbox.sender);
    EXPECT_EQ(views_test::outline(views_test::framed_page(*view)),
              (std::vector<std::string>{"header", "gap 20", "card No completed documents yet"}));
    EXPECT_TRUE(views_test::has_text(*view, body));
  }
  {
    auto snapshot = views_test::empty_snapshot();
    snapshot.jobs = platform::err("timeout");
    auto view = views::history_view(snapshot, inbox.sender);
    EXPECT_EQ(views_test::outline(views_test::framed_page(*view)),
              (std::vector<std::string>{"header", "gap 20", "card Print jobs couldn't be checked",
                                        "gap 14", "card No completed documents yet"}));
    EXPECT_TRUE(views_test::has_text(*view, "Print history"));
    EXPECT_TRUE(views_test::has_text(*view, "Documents retained by your print service"));
    EXPECT_EQ(views_test::frame_width(*view), 920);
  }
}

}  // namespace
