#include "views/condition_guidance.hpp"

#include <gtest/gtest.h>

#include "ui/controls.hpp"
#include "view_test_support.hpp"

namespace {

using views_test::marker;
using views_test::printer;

constexpr const char* kPaper = "Add paper to continue.";
constexpr const char* kJam = "Clear the paper jam, then resume the printer.";
constexpr const char* kCover = "Close the printer cover.";
constexpr const char* kLow = "A supply is running low; printing can usually continue for now.";
constexpr const char* kEmpty = "Replace the empty supply to continue.";
constexpr const char* kOffline = "Check that the printer is awake and connected.";
constexpr const char* kGeneral = "The printer reported a condition that may need attention.";

TEST(ConditionAdvice, MatchesKeywordsAnywhereFirstRuleWins) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"media-empty-warning", kPaper},
      {"media-empty-error", kPaper},
      {"MEDIA-EMPTY", kPaper},
      {"out-of-paper", kPaper},
      {"media-jam", kJam},
      {"printer-jammed", kJam},
      {"cover-open-warning", kCover},
      {"door-open", kCover},
      {"toner-low-report", kLow},
      {"marker-supply-low-warning", kLow},
      {"toner-empty", kEmpty},
      {"Marker-Supply-Empty-Error", kEmpty},
      {"offline-report", kOffline},
      {"not-connected", kOffline},
      // Two conditions in one reason: the earlier rule decides.
      {"media-empty-offline", kPaper},
      {"toner-low-offline", kLow},
      {"cover-open-jam", kJam},
      {"", kGeneral},
      {"none", kGeneral},
      {"media-needed", kGeneral},
      {"Printer-TONER-LOW", kLow},
  };
  for (const auto& [reason, advice] : cases) {
    EXPECT_EQ(views::condition_advice(reason), advice) << "reason: " << reason;
  }
}

TEST(ConditionLines, FirstThreeReasonsInOrderWithRepeats) {
  auto queue = printer("Studio_printer");
  queue.state_reasons = {"toner-low", "toner-low-report", "cover-open", "offline"};
  EXPECT_EQ(views::condition_lines(queue), (std::vector<std::string>{kLow, kLow, kCover}));

  queue.state_reasons = {};
  EXPECT_TRUE(views::condition_lines(queue).empty());

  queue.state_reasons = {"media-jam"};
  EXPECT_EQ(views::condition_lines(queue), std::vector<std::string>{kJam});
}

TEST(LowestSupply, SmallestReportedLevelOrNothing) {
  struct Case {
    std::optional<std::vector<devices::Marker>> markers;
    std::optional<std::uint8_t> want;
  };
  const std::vector<Case> cases = {
      {std::vector{marker("Black", 72), marker("Colour", 64)}, 64},
      {std::vector{marker("Black", std::nullopt), marker("Cyan", 40), marker("Yellow", 72)}, 40},
      {std::vector{marker("Black", 0), marker("Cyan", 40)}, 0},
      {std::vector{marker("Black", std::nullopt)}, std::nullopt},
      {std::vector<devices::Marker>{}, std::nullopt},
      {std::nullopt, std::nullopt},
  };
  for (std::size_t i = 0; i < cases.size(); ++i) {
    auto queue = printer("Studio_printer");
    queue.markers = cases[i].markers;
    EXPECT_EQ(views::lowest_supply_level(queue), cases[i].want) << "case " << i;
  }
}

TEST(SupplyLevelRow, NamesTheLevelAndFillsTheBar) {
  auto row = views::supply_level_row("Lowest supply", 64);
  EXPECT_EQ(views_test::outline(*row), (std::vector<std::string>{"Text", "gap 6", "ProgressBar"}));
  EXPECT_EQ(ui::texts(*row),
            (std::vector<std::string>{"Lowest supply: 64% remaining", "Lowest supply level"}));
  const auto bars = ui::find_all<ui::ProgressBar>(*row);
  ASSERT_EQ(bars.size(), 1u);
  EXPECT_NEAR(*bars[0]->fraction, 0.64, 1e-6);

  auto empty = views::supply_level_row("Colour", 0);
  EXPECT_TRUE(views_test::has_text(*empty, "Colour: 0% remaining"));
  EXPECT_EQ(*ui::find_all<ui::ProgressBar>(*empty)[0]->fraction, 0.0);
}

}  // namespace
