#include "views/printer_controls.hpp"

#include <gtest/gtest.h>

#include "ui/controls.hpp"
#include "view_test_support.hpp"

namespace {

using devices::PrinterState;
using views_test::Inbox;
using views_test::marker;
using views_test::printer;

std::vector<std::string> control_ids(const ui::Widget& view) {
  const auto* card = views_test::card_titled(view, "Printer controls");
  std::vector<std::string> ids;
  for (const auto* button : ui::find_all<ui::Button>(*card)) ids.push_back(button->id);
  return ids;
}

TEST(PrinterControls, PauseOrResumeByAcceptanceAndState) {
  struct Case {
    PrinterState state;
    bool accepting;
    std::string status;
    std::string label;
    bool enable;
  };
  const std::vector<Case> cases = {
      {PrinterState::Idle, true, "Ready", "Pause printer", false},
      {PrinterState::Idle, false, "Not accepting new documents", "Resume printer", true},
      {PrinterState::Processing, true, "Printing", "Pause printer", false},
      {PrinterState::Processing, false, "Printing", "Resume printer", true},
      {PrinterState::Stopped, true, "Paused", "Resume printer", true},
      {PrinterState::Unreachable, true, "Cannot reach this printer", "Pause printer", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.status + " / " + c.label);
    auto queue = printer("Studio_printer");
    queue.state = c.state;
    queue.accepting_jobs = c.accepting;
    Inbox inbox;
    auto view = views::printer_controls_view(queue, inbox.sender);
    const auto headings = ui::find_all<ui::Text>(*view);
    EXPECT_TRUE(std::any_of(headings.begin(), headings.end(), [&](const ui::Text* text) {
      return text->text == c.status && text->size == 21 && text->heavy;
    }));
    const auto* toggle = views_test::button(*view, "orvane.device.enabled");
    ASSERT_NE(toggle, nullptr);
    EXPECT_EQ(toggle->label, c.label);
    ASSERT_TRUE(ui::invoke(*view, "orvane.device.enabled"));
    const app::Message want = app::msg::SetPrinterEnabled{"Studio_printer", c.enable};
    EXPECT_EQ(inbox.drain(), std::vector<app::Message>{want});
  }
}

TEST(PrinterControls, ControlsInOrderAndTheirMessages) {
  auto queue = printer("Office_laser-2");
  Inbox inbox;
  auto view = views::printer_controls_view(queue, inbox.sender);
  EXPECT_TRUE(views_test::has_text(*view, "Office laser 2"));
  EXPECT_TRUE(views_test::has_text(*view, "Available to your apps"));
  EXPECT_EQ(control_ids(*view),
            (std::vector<std::string>{"orvane.device.enabled", "orvane.device.default",
                                      "orvane.device.queue", "orvane.device.diagnostics"}));
  for (const auto& id : control_ids(*view)) ASSERT_TRUE(ui::invoke(*view, id));
  EXPECT_EQ(inbox.drain(),
            (std::vector<app::Message>{app::msg::SetPrinterEnabled{"Office_laser-2", false},
                                       app::msg::SetDefaultPrinter{"Office_laser-2"},
                                       app::msg::OpenQueue{}, app::msg::OpenDiagnostics{}}));
  EXPECT_EQ(ui::texts(*views_test::card_titled(*view, "Printer controls")),
            (std::vector<std::string>{"Printer controls", "Pause printer", "Make preferred",
                                      "View print queue", "Check printer"}));
}

TEST(PrinterControls, PreferredPrinterHasNoMakePreferred) {
  auto queue = printer("Studio_printer");
  queue.is_default = true;
  Inbox inbox;
  auto view = views::printer_controls_view(queue, inbox.sender);
  EXPECT_EQ(control_ids(*view).size(), 3u);
  EXPECT_EQ(views_test::button(*view, "orvane.device.default"), nullptr);
  EXPECT_TRUE(views_test::has_text(*view, "Preferred printer"));
}

TEST(PrinterControls, ListsEveryMarkerWithMissingLevelsAsZero) {
  auto queue = printer("Studio_printer");
  queue.markers = std::vector{marker("Black", 72), marker("Colour", std::nullopt)};
  Inbox inbox;
  auto view = views::printer_controls_view(queue, inbox.sender);
  const auto* supplies = views_test::card_titled(*view, "Ink and toner");
  ASSERT_NE(supplies, nullptr);
  EXPECT_EQ(ui::texts(*supplies),
            (std::vector<std::string>{"Ink and toner", "Black: 72% remaining", "Black level",
                                      "Colour: 0% remaining", "Colour level"}));
  const auto& list = dynamic_cast<const ui::Column&>(*supplies->content);
  EXPECT_EQ(views_test::outline(list),
            (std::vector<std::string>{"Column", "gap 10", "Column", "gap 10"}));
  const auto bars = ui::find_all<ui::ProgressBar>(*supplies);
  EXPECT_NEAR(*bars.at(0)->fraction, 0.72, 1e-6);
  EXPECT_EQ(*bars.at(1)->fraction, 0.0);
}

TEST(PrinterControls, EightMarkersGiveEightRows) {
  auto queue = printer("Studio_printer");
  queue.markers = std::vector<devices::Marker>{};
  for (int i = 0; i < 8; ++i) queue.markers->push_back(marker("M" + std::to_string(i), 50));
  Inbox inbox;
  auto view = views::printer_controls_view(queue, inbox.sender);
  EXPECT_EQ(ui::find_all<ui::ProgressBar>(*view).size(), 8u);
}

TEST(PrinterControls, NoSupplyReportForAbsentOrEmptyMarkers) {
  for (const auto& markers : std::vector<std::optional<std::vector<devices::Marker>>>{
           std::nullopt, std::vector<devices::Marker>{}}) {
    auto queue = printer("Studio_printer");
    queue.markers = markers;
    Inbox inbox;
    auto view = views::printer_controls_view(queue, inbox.sender);
    EXPECT_EQ(
        ui::texts(*views_test::card_titled(*view, "Ink and toner")),
        (std::vector<std::string>{"Ink and toner", "This printer does not report supply levels."}));
  }
}

TEST(PrinterControls, PageLayout) {
  Inbox inbox;
  auto view = views::printer_controls_view(printer("Studio_printer"), inbox.sender);
  EXPECT_EQ(views_test::frame_width(*view), 920);
  EXPECT_EQ(views_test::outline(views_test::framed_page(*view)),
            (std::vector<std::string>{"header", "gap 20", "plain card", "gap 16",
                                      "card Ink and toner", "gap 16", "card Printer controls"}));
  EXPECT_TRUE(views_test::has_text(*view, "Status, supplies, and controls"));
  const auto icons = ui::find_all<ui::Icon>(*view);
  ASSERT_EQ(icons.size(), 1u);
  EXPECT_EQ(icons[0]->number, 5);
  EXPECT_EQ(icons[0]->size, 52);
  EXPECT_TRUE(ui::find_all<ui::Banner>(*view).empty());
}

}  // namespace
