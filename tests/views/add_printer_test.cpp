#include "views/add_printer.hpp"

#include <gtest/gtest.h>

#include "ui/controls.hpp"
#include "view_test_support.hpp"
#include "views/first_printer.hpp"
#include "views/loading.hpp"

namespace {

using devices::DiscoveredPrinter;
using views_test::Inbox;

using Discovery = std::optional<devices::ListResult<DiscoveredPrinter>>;

TEST(AddPrinter, SearchingShowsProgressAndNoButtonButBack) {
  Inbox inbox;
  auto view = views::add_printer_view(std::nullopt, inbox.sender);
  EXPECT_EQ(views_test::frame_width(*view), 1120);
  EXPECT_EQ(views_test::outline(views_test::framed_page(*view)),
            (std::vector<std::string>{"header", "gap 20", "card Looking nearby"}));
  const auto bars = ui::find_all<ui::ProgressBar>(*view);
  ASSERT_EQ(bars.size(), 1u);
  EXPECT_FALSE(bars[0]->fraction.has_value());
  EXPECT_EQ(bars[0]->label, "Finding nearby printers");
  const auto buttons = ui::find_all<ui::Button>(*view);
  ASSERT_EQ(buttons.size(), 1u);
  EXPECT_EQ(buttons[0]->id, "orvane.back");
  EXPECT_TRUE(views_test::has_text(*view, "Add a printer"));
  EXPECT_TRUE(views_test::has_text(*view, "Nearby printers appear automatically"));
}

TEST(AddPrinter, FailedOrEmptySearchOffersAnotherSearch) {
  struct Case {
    Discovery result;
    std::string title;
    std::string body;
    std::string retry;
  };
  const std::vector<Case> cases = {
      {devices::ListResult<DiscoveredPrinter>(platform::err("avahi: daemon not running")),
       "Could not search right now", "Check your network connection and try again.", "Try again"},
      {devices::ListResult<DiscoveredPrinter>(std::vector<DiscoveredPrinter>{}),
       "No printers found",
       "Make sure the printer is awake and connected to the same network, then search again.",
       "Search again"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.title);
    Inbox inbox;
    auto view = views::add_printer_view(c.result, inbox.sender);
    EXPECT_EQ(
        views_test::outline(views_test::framed_page(*view)),
        (std::vector<std::string>{"header", "gap 20", "card " + c.title, "gap 12", "Button"}));
    EXPECT_TRUE(views_test::has_text(*view, c.body));
    EXPECT_FALSE(views_test::has_text(*view, "avahi: daemon not running"));
    const auto* retry = views_test::button(*view, "orvane.discover.retry");
    ASSERT_NE(retry, nullptr);
    EXPECT_EQ(retry->label, c.retry);
    EXPECT_EQ(retry->style, ui::ButtonStyle::Plain);
    ASSERT_TRUE(ui::invoke(*view, "orvane.discover.retry"));
    EXPECT_EQ(inbox.drain(), std::vector<app::Message>{app::msg::DiscoverPrinters{}});
  }
}

TEST(AddPrinter, EachFoundPrinterGetsACardThatAddsItsOwnRecord) {
  const DiscoveredPrinter upstairs{"ipps://studio.local:631/ipp/print", "Studio printer",
                                   "Upstairs workspace"};
  const DiscoveredPrinter twin{"ipps://studio-2.local:631/ipp/print", "Studio printer",
                               std::nullopt};
  const DiscoveredPrinter office{"ipps://office.local:631/ipp/print", "Office laser", std::nullopt};
  Inbox inbox;
  auto view = views::add_printer_view(
      devices::ListResult<DiscoveredPrinter>(std::vector{upstairs, twin, office}), inbox.sender);
  EXPECT_EQ(
      views_test::outline(views_test::framed_page(*view)),
      (std::vector<std::string>{"header", "gap 20", "card Studio printer", "gap 12",
                                "card Studio printer", "gap 12", "card Office laser", "gap 12"}));
  EXPECT_EQ(ui::texts(*views_test::card_titled(*view, "Office laser")),
            (std::vector<std::string>{"Office laser", "Add", "Ready to add", "Nearby"}));
  EXPECT_TRUE(views_test::has_text(*view, "Upstairs workspace"));

  const auto adds = views_test::buttons_with_id(*view, "orvane.discover.add.Studio printer");
  ASSERT_EQ(adds.size(), 2u);
  for (const auto* add : adds) {
    EXPECT_EQ(add->style, ui::ButtonStyle::Secondary);
    EXPECT_EQ(add->icon, 18);
    add->activate();
  }
  ASSERT_TRUE(ui::invoke(*view, "orvane.discover.add.Office laser"));
  EXPECT_EQ(inbox.drain(),
            (std::vector<app::Message>{app::msg::AddPrinter{upstairs}, app::msg::AddPrinter{twin},
                                       app::msg::AddPrinter{office}}));
  for (const auto* icon : ui::find_all<ui::Icon>(*view)) {
    EXPECT_EQ(icon->number, 5);
    EXPECT_EQ(icon->size, 34);
  }
}

TEST(FirstPrinter, WelcomeColumnWithoutFrame) {
  Inbox inbox;
  auto view = views::first_printer_view(inbox.sender);
  const auto& page = dynamic_cast<const ui::Column&>(*view);
  EXPECT_EQ(views_test::outline(page),
            (std::vector<std::string>{"Row", "gap 36", "card Set up your first printer", "gap 18",
                                      "card Already have a document?"}));
  EXPECT_EQ(
      ui::texts(*view),
      (std::vector<std::string>{
          "Orvane", "Print and scan without digging through settings", "Add printer",
          "Print a document", "Set up your first printer", "Nearby printers appear automatically",
          "Choose Find printers and we\u2019ll guide you. Drivers and network details stay "
          "out of the way unless you need them.",
          "Find printers", "Connection help", "Already have a document?",
          "Open it and choose Print, or drop it here to preview pages and finishing options "
          "before anything is sent."}));
}

TEST(FirstPrinter, FindPrintersSearchesTheOtherButtonsAreControlOnly) {
  Inbox inbox;
  auto view = views::first_printer_view(inbox.sender);
  for (const char* id : {"orvane.help", "orvane.add", "orvane.print"}) {
    ASSERT_TRUE(ui::invoke(*view, id)) << id;
  }
  EXPECT_TRUE(inbox.drain().empty());
  ASSERT_TRUE(ui::invoke(*view, "orvane.add.first"));
  EXPECT_EQ(inbox.drain(), std::vector<app::Message>{app::msg::DiscoverPrinters{}});
}

TEST(Loading, HeaderAndIndeterminateProgress) {
  auto view = views::loading_view();
  const auto& page = dynamic_cast<const ui::Column&>(*view);
  EXPECT_EQ(views_test::outline(page),
            (std::vector<std::string>{"Row", "gap 32", "card Getting things ready"}));
  EXPECT_EQ(ui::texts(*view),
            (std::vector<std::string>{"Orvane", "Checking printers and documents", "Add printer",
                                      "Print a document", "Getting things ready",
                                      "Looking for printers, scanners, and unfinished documents.",
                                      "Loading Orvane"}));
  const auto bars = ui::find_all<ui::ProgressBar>(*view);
  ASSERT_EQ(bars.size(), 1u);
  EXPECT_FALSE(bars[0]->fraction.has_value());
  for (const auto* button : ui::find_all<ui::Button>(*view)) {
    EXPECT_FALSE(button->on_action) << button->id;
  }
}

}  // namespace
