#include "views/diagnostics.hpp"

#include <gtest/gtest.h>

#include "ui/controls.hpp"
#include "view_test_support.hpp"

namespace {

using views_test::Inbox;
using views_test::marker;
using views_test::printer;

std::vector<std::string> summary_lines(const ui::Widget& view) {
  const auto* card = views_test::card_titled(view, "Connection check");
  const auto all = ui::texts(*card);
  // Title, "Check again", then the three lines.
  return {all.at(2), all.at(3), all.at(4)};
}

app::Snapshot with(std::vector<devices::PrinterQueue> printers, std::size_t scanner_count) {
  std::vector<devices::Scanner> scanners;
  for (std::size_t i = 0; i < scanner_count; ++i) {
    scanners.push_back({"scanner" + std::to_string(i), "Scanner " + std::to_string(i)});
  }
  return views_test::snapshot(std::move(printers), std::vector<devices::PrintJob>{},
                              std::move(scanners));
}

TEST(Diagnostics, SummaryLinesCountWithSingularOnlyForOne) {
  auto answered = printer("Studio_printer");
  answered.markers = std::vector{marker("Black", 72), marker("Colour", 64)};
  auto silent = printer("Lab");
  silent.responding = false;
  auto empty_markers = printer("Hall");
  empty_markers.markers = std::vector<devices::Marker>{};
  auto levelless = printer("Attic");
  levelless.markers = std::vector{marker("Black", std::nullopt)};

  struct Case {
    app::Snapshot snapshot;
    std::vector<std::string> want;
  };
  const std::vector<Case> cases = {
      {with({answered}, 0),
       {"1 of 1 printer responded", "1 printer report ink or toner levels",
        "0 scanners available"}},
      {with({answered, silent, answered}, 1),
       {"2 of 3 printers responded", "2 printers report ink or toner levels",
        "1 scanner available"}},
      {with({empty_markers, levelless}, 2),
       {"2 of 2 printers responded", "1 printer report ink or toner levels",
        "2 scanners available"}},
      {with({}, 0),
       {"0 of 0 printers responded", "0 printers report ink or toner levels",
        "0 scanners available"}},
  };
  for (const auto& c : cases) {
    Inbox inbox;
    auto view = views::diagnostics_view(c.snapshot, inbox.sender);
    EXPECT_EQ(summary_lines(*view), c.want);
  }
}

TEST(Diagnostics, PrinterCardShowsStatusAnswerAdviceAndSupplies) {
  auto queue = printer("Studio_printer");
  queue.state = devices::PrinterState::Stopped;
  queue.responding = false;
  queue.state_reasons = {"media-empty-warning", "cover-open", "toner-low", "offline", "jam"};
  queue.markers = std::vector{marker("Black", 72), marker("Colour", std::nullopt)};
  Inbox inbox;
  auto view = views::diagnostics_view(with({queue}, 1), inbox.sender);
  const auto* card = views_test::card_titled(*view, "Studio printer");
  ASSERT_NE(card, nullptr);
  EXPECT_EQ(card->action, nullptr);
  EXPECT_EQ(ui::texts(*card),
            (std::vector<std::string>{
                "Studio printer", "Paused",
                "Live details are unavailable. The printer may be asleep or disconnected.",
                "Add paper to continue.", "Close the printer cover.",
                "A supply is running low; printing can usually continue for now.",
                "Black: 72% remaining", "Black level", "Open printer controls"}));
  const auto& content = dynamic_cast<const ui::Column&>(*card->content);
  EXPECT_EQ(views_test::outline(content),
            (std::vector<std::string>{"Text", "Text", "gap 8", "Text", "gap 8", "Text", "gap 8",
                                      "Text", "gap 10", "Column", "gap 12", "Button"}));
  ASSERT_TRUE(ui::invoke(*view, "orvane.diagnostics.device"));
  EXPECT_EQ(inbox.drain(), std::vector<app::Message>{app::msg::OpenPrinter{"Studio_printer"}});
}

TEST(Diagnostics, SupplyRowsOnlyAmongTheFirstSixMarkers) {
  auto queue = printer("Studio_printer");
  queue.markers = std::vector<devices::Marker>{};
  for (int i = 0; i < 8; ++i) {
    // The third marker has no level: it counts toward the six but shows no row.
    queue.markers->push_back(
        marker("M" + std::to_string(i), i == 2 ? std::nullopt : std::optional<std::uint8_t>(50)));
  }
  Inbox inbox;
  auto view = views::diagnostics_view(with({queue}, 0), inbox.sender);
  EXPECT_EQ(ui::find_all<ui::ProgressBar>(*view).size(), 5u);
  EXPECT_TRUE(views_test::has_text(*view, "M5 level"));
  EXPECT_FALSE(views_test::has_text(*view, "M6 level"));
  EXPECT_FALSE(views_test::has_text(*view, "M2 level"));
}

TEST(Diagnostics, ScannerCardByScannerPresence) {
  {
    Inbox inbox;
    auto view = views::diagnostics_view(with({}, 1), inbox.sender);
    const auto* card = views_test::card_titled(*view, "Scanner");
    ASSERT_NE(card, nullptr);
    EXPECT_EQ(ui::texts(*card),
              (std::vector<std::string>{"Scanner", "Start scanning",
                                        "Your scanner is available for a new document."}));
    ASSERT_TRUE(ui::invoke(*view, "orvane.diagnostics.scan"));
    EXPECT_EQ(inbox.drain(), std::vector<app::Message>{app::msg::OpenScan{}});
  }
  {
    Inbox inbox;
    auto view = views::diagnostics_view(with({}, 0), inbox.sender);
    const auto* card = views_test::card_titled(*view, "Scanner");
    ASSERT_NE(card, nullptr);
    EXPECT_EQ(ui::texts(*card),
              (std::vector<std::string>{
                  "Scanner", "Check again",
                  "No scanner was found. Check its cable or network connection, then refresh."}));
    EXPECT_EQ(views_test::buttons_with_id(*view, "orvane.diagnostics.refresh").size(), 2u);
    for (const auto* check : views_test::buttons_with_id(*view, "orvane.diagnostics.refresh")) {
      check->activate();
    }
    EXPECT_EQ(inbox.drain(), (std::vector<app::Message>{app::msg::Refresh{}, app::msg::Refresh{}}));
  }
}

TEST(Diagnostics, PageLayoutWithEveryPrinterBoxed) {
  Inbox inbox;
  auto view =
      views::diagnostics_view(with({printer("A"), printer("B"), printer("C")}, 1), inbox.sender);
  EXPECT_EQ(views_test::frame_width(*view), 920);
  EXPECT_EQ(views_test::outline(views_test::framed_page(*view)),
            (std::vector<std::string>{"header", "gap 20", "card Connection check", "gap 16",
                                      "box(card A)", "gap 12", "box(card B)", "gap 12",
                                      "box(card C)", "gap 12", "box(card Scanner)", "gap 12"}));
  const auto& page = views_test::framed_page(*view);
  EXPECT_EQ(dynamic_cast<const ui::Container&>(*page.items.at(4)).max_width, 840);
  EXPECT_TRUE(views_test::has_text(*view, "Device help"));
  EXPECT_TRUE(views_test::has_text(*view, "Useful checks without printer jargon"));
}

TEST(Diagnostics, FailedPartsReportedInsideConnectionCheck) {
  auto snapshot = with({printer("A")}, 1);
  snapshot.printers = platform::err("cups down");
  snapshot.scanners = platform::err("sane down");
  snapshot.jobs = platform::err("not asked");
  Inbox inbox;
  auto view = views::diagnostics_view(snapshot, inbox.sender);
  EXPECT_EQ(summary_lines(*view), (std::vector<std::string>{"0 of 0 printers responded",
                                                            "0 printers report ink or toner levels",
                                                            "0 scanners available"}));
  const auto* check = views_test::card_titled(*view, "Connection check");
  const auto* failure =
      views_test::card_titled(*check, "Some device information couldn't be checked");
  ASSERT_NE(failure, nullptr);
  EXPECT_TRUE(views_test::has_text(*failure,
                                   "Orvane couldn't get printers or scanners right now. Your saved "
                                   "devices and documents have not been removed."));
  EXPECT_EQ(views_test::card_titled(*view, "A"), nullptr);
  EXPECT_TRUE(views_test::has_text(
      *view, "No scanner was found. Check its cable or network connection, then refresh."));

  snapshot = with({printer("A")}, 1);
  snapshot.jobs = platform::err("not asked");
  auto healthy = views::diagnostics_view(snapshot, inbox.sender);
  EXPECT_EQ(views_test::button(*healthy, "orvane.service.retry"), nullptr);
}

}  // namespace
