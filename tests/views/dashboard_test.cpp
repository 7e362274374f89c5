#include "views/dashboard.hpp"

#include <gtest/gtest.h>

#include "ui/controls.hpp"
#include "view_test_support.hpp"

namespace {

using devices::JobState;
using views_test::Inbox;
using views_test::job;
using views_test::marker;
using views_test::printer;

std::vector<devices::Scanner> one_scanner() { return {{"scanner0", "Studio scanner"}}; }

app::Snapshot full_snapshot() {
  auto studio = printer("Studio_printer");
  studio.is_default = true;
  studio.markers = std::vector{marker("Black", 72), marker("Colour", 64)};
  auto printing = job("Studio_printer-42", JobState::Processing);
  printing.title = "Travel itinerary.pdf";
  printing.pages_completed = 8;
  printing.pages_total = 12;
  auto done = job("Studio_printer-41", JobState::Completed);
  return views_test::snapshot(std::vector{studio}, std::vector{printing, done}, one_scanner());
}

std::string summary_of(const ui::Widget& view) {
  // The supporting text right under the heading "Orvane".
  const auto all = ui::texts(view);
  return all.at(1);
}

TEST(Dashboard, AllPartsEmpty) {
  Inbox inbox;
  auto view = views::dashboard_view(views_test::empty_snapshot(), std::nullopt, inbox.sender);
  EXPECT_EQ(views_test::frame_width(*view), 1120);
  EXPECT_EQ(views_test::outline(views_test::framed_page(*view)),
            (std::vector<std::string>{"Column", "gap 20", "Column", "gap 10",
                                      "card No printers added", "gap 18", "Column"}));
  EXPECT_EQ(summary_of(*view), "Everything is ready");
  EXPECT_NE(views_test::dashboard_card_titled(*view, "Recent documents"), nullptr);
  EXPECT_TRUE(views_test::has_text(*view, "Completed documents will appear here."));
  EXPECT_NE(views_test::dashboard_card_titled(*view, "Device help"), nullptr);
  EXPECT_EQ(views_test::dashboard_card_titled(*view, "Scan a document"), nullptr);
  EXPECT_TRUE(views_test::has_text(
      *view, "You can still scan documents below. Add a printer whenever you need one."));
}

TEST(Dashboard, SummaryLineCountsActiveDocumentsUnlessAPartFailed) {
  struct Case {
    std::vector<std::optional<JobState>> states;
    bool scanners_fail;
    std::string want;
  };
  const std::vector<Case> cases = {
      {{}, false, "Everything is ready"},
      {{JobState::Completed, JobState::Canceled, std::nullopt}, false, "Everything is ready"},
      {{JobState::Held}, false, "One document is active"},
      {{JobState::Pending, JobState::Completed, JobState::Stopped},
       false,
       "2 documents are active"},
      {{JobState::Pending, JobState::Held, JobState::Processing, JobState::Stopped},
       false,
       "4 documents are active"},
      {{JobState::Held}, true, "Some information needs refreshing"},
  };
  for (const auto& c : cases) {
    std::vector<devices::PrintJob> jobs;
    for (std::size_t i = 0; i < c.states.size(); ++i) {
      jobs.push_back(job("q-" + std::to_string(i), c.states[i]));
    }
    auto snapshot = views_test::jobs_snapshot(jobs);
    if (c.scanners_fail) snapshot.scanners = platform::err("down");
    Inbox inbox;
    auto view = views::dashboard_view(snapshot, std::nullopt, inbox.sender);
    EXPECT_EQ(summary_of(*view), c.want);
  }
}

TEST(Dashboard, FailedJobsPartAloneStillNeedsRefreshing) {
  auto snapshot = views_test::empty_snapshot();
  snapshot.jobs = platform::err("timeout");
  Inbox inbox;
  auto view = views::dashboard_view(snapshot, std::nullopt, inbox.sender);
  EXPECT_EQ(summary_of(*view), "Some information needs refreshing");
  EXPECT_EQ(views_test::dashboard_card_titled(*view, "Recent documents"), nullptr);
  EXPECT_NE(views_test::card_titled(*view, "Print jobs couldn't be checked"), nullptr);
  EXPECT_NE(views_test::dashboard_card_titled(*view, "Device help"), nullptr);
}

TEST(Dashboard, EveryControlPostsItsMessage) {
  struct Case {
    std::string id;
    std::string label;
    ui::ButtonStyle style;
    std::optional<int> icon;
    app::Message message;
  };
  const std::vector<Case> cases = {
      {"orvane.add", "Add printer", ui::ButtonStyle::Primary, 18, app::msg::DiscoverPrinters{}},
      {"orvane.print", "Print a document", ui::ButtonStyle::Secondary, 5,
       app::msg::PrintDocument{}},
      {"orvane.queue", "Open queue", ui::ButtonStyle::Plain, std::nullopt, app::msg::OpenQueue{}},
      {"orvane.job.cancel", "Cancel", ui::ButtonStyle::Plain, std::nullopt,
       app::msg::AskCancelJob{"Studio_printer-42"}},
      {"orvane.refresh", "Refresh", ui::ButtonStyle::Primary, 76, app::msg::Refresh{}},
      {"orvane.device.open.Studio_printer", "Open", ui::ButtonStyle::Primary, 39,
       app::msg::OpenPrinter{"Studio_printer"}},
      {"orvane.scan.open", "Start scanning", ui::ButtonStyle::Secondary, 28, app::msg::OpenScan{}},
      {"orvane.history.open", "See all", ui::ButtonStyle::Primary, 60, app::msg::OpenHistory{}},
      {"orvane.diagnostics.open", "Check devices", ui::ButtonStyle::Primary, 70,
       app::msg::OpenDiagnostics{}},
  };
  Inbox inbox;
  auto view = views::dashboard_view(full_snapshot(), std::nullopt, inbox.sender);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.id);
    const auto* control = views_test::button(*view, c.id);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->label, c.label);
    EXPECT_EQ(control->style, c.style);
    EXPECT_EQ(control->icon, c.icon);
    ASSERT_TRUE(ui::invoke(*view, c.id));
    EXPECT_EQ(inbox.drain(), std::vector<app::Message>{c.message});
  }
}

TEST(Dashboard, NoPrintersCardFindsAPrinter) {
  Inbox inbox;
  auto view = views::dashboard_view(views_test::empty_snapshot(), std::nullopt, inbox.sender);
  const auto* find = views_test::button(*view, "orvane.discover.empty");
  ASSERT_NE(find, nullptr);
  EXPECT_EQ(find->label, "Find a printer");
  EXPECT_EQ(find->icon, 19);
  ASSERT_TRUE(ui::invoke(*view, "orvane.discover.empty"));
  EXPECT_EQ(inbox.drain(), std::vector<app::Message>{app::msg::DiscoverPrinters{}});
}

TEST(Dashboard, CurrentDocumentCardShowsTheFirstActiveJobOnly) {
  auto first = job("Studio_printer-42", JobState::Processing);
  first.title = "Travel itinerary.pdf";
  first.pages_completed = 8;
  first.pages_total = 12;
  auto second = job("Office_laser-7", JobState::Held, "Office_laser");
  auto snapshot =
      views_test::jobs_snapshot({job("Studio_printer-40", JobState::Completed), first, second});
  Inbox inbox;
  auto view = views::dashboard_view(snapshot, std::nullopt, inbox.sender);

  const auto* card = views_test::dashboard_card_titled(*view, "Printing now");
  ASSERT_NE(card, nullptr);
  EXPECT_EQ(views_test::dashboard_card_titled(*view, "Waiting to print"), nullptr);
  EXPECT_EQ(ui::find_all<views::DashboardCard>(*view).size(), 3u);  // + recent, help
  EXPECT_TRUE(views_test::has_text(*card, "Travel itinerary.pdf"));
  EXPECT_TRUE(views_test::has_text(*card, "Sent to Studio printer"));
  const auto previews = ui::find_all<ui::PagePreview>(*card);
  ASSERT_EQ(previews.size(), 1u);
  EXPECT_EQ(previews[0]->label, "Current document");
  EXPECT_EQ(previews[0]->page, 9u);
  EXPECT_EQ(previews[0]->page_count, 12u);
  const auto bars = ui::find_all<ui::ProgressBar>(*card);
  ASSERT_EQ(bars.size(), 1u);
  EXPECT_EQ(bars[0]->label, "Current document progress");
  EXPECT_NEAR(*bars[0]->fraction, 0.66, 1e-9);
  EXPECT_EQ(summary_of(*view), "2 documents are active");

  // "Cancel" asks for confirmation of the job shown; it does not cancel.
  ASSERT_TRUE(ui::invoke(*view, "orvane.job.cancel"));
  EXPECT_EQ(inbox.drain(), std::vector<app::Message>{app::msg::AskCancelJob{"Studio_printer-42"}});
}

TEST(Dashboard, CurrentDocumentTitleFollowsTheJobState) {
  const std::vector<std::pair<JobState, std::string>> cases = {
      {JobState::Pending, "Printing now"},
      {JobState::Processing, "Printing now"},
      {JobState::Held, "Waiting to print"},
      {JobState::Stopped, "Needs attention"},
  };
  for (const auto& [state, title] : cases) {
    Inbox inbox;
    auto view = views::dashboard_view(views_test::jobs_snapshot({job("q-1", state)}), std::nullopt,
                                      inbox.sender);
    const auto* card = views_test::dashboard_card_titled(*view, title);
    ASSERT_NE(card, nullptr) << title;
    // Without a title or page counts: "Document 1", page 1 of 1, empty bar.
    EXPECT_TRUE(views_test::has_text(*card, "Document 1"));
    const auto previews = ui::find_all<ui::PagePreview>(*card);
    EXPECT_EQ(previews.at(0)->page, 1u);
    EXPECT_EQ(previews.at(0)->page_count, 1u);
    EXPECT_EQ(*ui::find_all<ui::ProgressBar>(*card).at(0)->fraction, 0.0);
  }
}

TEST(Dashboard, RecentDocumentsInvitesReprintOnlyWithACompletedJob) {
  const std::vector<std::pair<std::vector<std::optional<JobState>>, std::string>> cases = {
      {{JobState::Canceled, JobState::Aborted}, "Completed documents will appear here."},
      {{JobState::Canceled, JobState::Completed},
       "Review what printed and quickly print a retained job again."},
      {{JobState::Pending}, "Completed documents will appear here."},
  };
  for (const auto& [states, body] : cases) {
    std::vector<devices::PrintJob> jobs;
    for (const auto& state : states) jobs.push_back(job("q-" + std::to_string(jobs.size()), state));
    Inbox inbox;
    auto view = views::dashboard_view(views_test::jobs_snapshot(jobs), std::nullopt, inbox.sender);
    const auto* recent = views_test::dashboard_card_titled(*view, "Recent documents");
    ASSERT_NE(recent, nullptr);
    EXPECT_TRUE(views_test::has_text(*recent, body)) << body;
  }
}

TEST(Dashboard, PrinterCardShowsStatusLowestSupplyAndPreference) {
  struct Case {
    std::optional<std::vector<devices::Marker>> markers;
    bool is_default;
    std::vector<std::string> want_texts;
  };
  const std::vector<Case> cases = {
      {std::vector{marker("Black", std::nullopt), marker("Cyan", 40), marker("Yellow", 72)},
       false,
       {"Studio printer", "Ready", "Lowest supply: 40% remaining", "Lowest supply level",
        "Available to your apps", "Open"}},
      {std::vector{marker("Black", std::nullopt)},
       true,
       {"Studio printer", "Ready", "Supply levels unavailable", "Preferred printer", "Open"}},
      {std::vector<devices::Marker>{},
       false,
       {"Studio printer", "Ready", "Supply levels unavailable", "Available to your apps", "Open"}},
      {std::nullopt,
       false,
       {"Studio printer", "Ready", "Supply levels unavailable", "Available to your apps", "Open"}},
  };
  for (const auto& c : cases) {
    auto queue = printer("Studio_printer");
    queue.markers = c.markers;
    queue.is_default = c.is_default;
    Inbox inbox;
    auto card = views::printer_card(queue, inbox.sender);
    EXPECT_EQ(card->short_name(), "DashboardCard");
    EXPECT_EQ(ui::texts(*card), c.want_texts);
    const auto icons = ui::find_all<ui::Icon>(*card);
    ASSERT_EQ(icons.size(), 1u);
    EXPECT_EQ(icons[0]->number, 5);
    EXPECT_EQ(icons[0]->size, 34);
  }
}

TEST(Dashboard, EveryPrinterGetsACardFollowedByAGap) {
  auto paused = printer("office-laser__2");
  paused.state = devices::PrinterState::Stopped;
  auto snapshot =
      views_test::snapshot(std::vector{printer("Studio_printer"), paused, printer("Lab")},
                           std::vector<devices::PrintJob>{}, std::vector<devices::Scanner>{});
  Inbox inbox;
  auto view = views::dashboard_view(snapshot, std::nullopt, inbox.sender);
  const auto& page = views_test::framed_page(*view);
  const auto& cards = dynamic_cast<const ui::Column&>(*page.items.at(4));
  EXPECT_EQ(views_test::outline(cards),
            (std::vector<std::string>{"dashboard card Studio printer", "gap 14",
                                      "dashboard card office laser 2", "gap 14",
                                      "dashboard card Lab", "gap 14"}));
  EXPECT_TRUE(views_test::has_text(*view, "Paused"));
  ASSERT_TRUE(ui::invoke(*view, "orvane.device.open.office-laser__2"));
  EXPECT_EQ(inbox.drain(), std::vector<app::Message>{app::msg::OpenPrinter{"office-laser__2"}});
}

TEST(Dashboard, ScanCardNamesTheFirstScanner) {
  auto snapshot = views_test::empty_snapshot();
  snapshot.scanners =
      std::vector<devices::Scanner>{{"scanner0", "Studio scanner"}, {"scanner1", "Garage scanner"}};
  Inbox inbox;
  auto view = views::dashboard_view(snapshot, std::nullopt, inbox.sender);
  const auto* card = views_test::dashboard_card_titled(*view, "Scan a document");
  ASSERT_NE(card, nullptr);
  EXPECT_TRUE(views_test::has_text(*card, "Studio scanner is ready"));
  EXPECT_FALSE(views_test::has_text(*view, "Garage scanner is ready"));
  const auto icons = ui::find_all<ui::Icon>(*card);
  ASSERT_EQ(icons.size(), 1u);
  EXPECT_EQ(icons[0]->number, 28);
  EXPECT_EQ(icons[0]->size, 30);
}

TEST(Dashboard, FailedPartsHideOnlyTheirOwnSections) {
  Inbox inbox;
  {
    auto snapshot = full_snapshot();
    snapshot.scanners = platform::err("sane down");
    auto view = views::dashboard_view(snapshot, std::nullopt, inbox.sender);
    EXPECT_EQ(summary_of(*view), "Some information needs refreshing");
    EXPECT_LT(views_test::text_position(*view, "Scanners couldn't be checked"),
              views_test::text_position(*view, "Your printers"));
    EXPECT_TRUE(views_test::has_text(
        *view,
        "Orvane couldn't get scanners right now. Your saved devices and documents have not "
        "been removed."));
    EXPECT_EQ(views_test::dashboard_card_titled(*view, "Scan a document"), nullptr);
    EXPECT_NE(views_test::dashboard_card_titled(*view, "Studio printer"), nullptr);
  }
  {
    auto snapshot = full_snapshot();
    snapshot.printers = platform::err("cups down");
    snapshot.jobs = platform::err("cups down");
    auto view = views::dashboard_view(snapshot, std::nullopt, inbox.sender);
    EXPECT_NE(views_test::card_titled(*view, "Some device information couldn't be checked"),
              nullptr);
    EXPECT_TRUE(views_test::has_text(*view,
                                     "Orvane couldn't get printers or documents right now. Your "
                                     "saved devices and documents have not been removed."));
    EXPECT_FALSE(views_test::has_text(*view, "Your printers"));
    EXPECT_EQ(views_test::button(*view, "orvane.refresh"), nullptr);
    EXPECT_EQ(views_test::card_titled(*view, "No printers added"), nullptr);
    EXPECT_EQ(views_test::dashboard_card_titled(*view, "Printing now"), nullptr);
    EXPECT_EQ(views_test::dashboard_card_titled(*view, "Recent documents"), nullptr);
    EXPECT_NE(views_test::dashboard_card_titled(*view, "Scan a document"), nullptr);
    EXPECT_NE(views_test::dashboard_card_titled(*view, "Device help"), nullptr);
  }
}

TEST(Dashboard, PageOrderWithNoticeFailureAndActiveJob) {
  auto snapshot = full_snapshot();
  snapshot.scanners = platform::err("down");
  Inbox inbox;
  const app::Notice notice{"Printer paused", "Documents will wait until you resume it.", true};
  auto view = views::dashboard_view(snapshot, notice, inbox.sender);
  EXPECT_EQ(views_test::outline(views_test::framed_page(*view)),
            (std::vector<std::string>{"Column", "gap 20", "banner Printer paused", "gap 14",
                                      "card Scanners couldn't be checked", "gap 14",
                                      "dashboard card Printing now", "gap 28", "Column", "gap 10",
                                      "Column", "gap 18", "Column"}));
  const auto banners = ui::find_all<ui::Banner>(*view);
  ASSERT_EQ(banners.size(), 1u);
  EXPECT_EQ(banners[0]->tone, ui::Tone::Success);
}

}  // namespace
