#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "app/scenario.hpp"
#include "app_fixture.hpp"
#include "platform/launch.hpp"

namespace {

using apptest::view_name;

struct Case {
  std::string name;
  std::string view;
  std::vector<std::string> texts;
};

TEST(Scenario, EveryNameBuildsItsViewAndStartsNothing) {
  const Case cases[] = {
      {"active", "dashboard", {"Travel itinerary.pdf"}},
      {"attention", "dashboard", {"Needs attention"}},
      {"empty", "first-printer", {}},
      {"narrow", "dashboard", {}},
      {"queue", "queue", {"Travel itinerary.pdf", "Shipping labels.pdf"}},
      {"device", "printer", {"Studio printer"}},
      {"discovery", "add-printer", {"Studio printer", "Office laser", "Upstairs workspace"}},
      {"print", "print", {"Travel itinerary.pdf", "Print"}},
      {"print-narrow", "print", {"Travel itinerary.pdf", "Print"}},
      {"scan", "scan", {"Selected: Studio scanner", "No pages captured yet"}},
      {"scan-result", "scan", {"Scanned document", "Recognized 8 words."}},
      {"scan-result-narrow", "scan", {"Scanned document"}},
      {"history", "history", {"Shipping labels.pdf"}},
      {"diagnostics", "diagnostics", {}},
      {"service-error", "dashboard", {}},
      {"service-error-narrow", "dashboard", {}},
      {"Print", "dashboard", {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    apptest::Fixture f;
    auto root = app::Orvane::for_scenario(platform::scenario_number(c.name), f.services());
    EXPECT_EQ(view_name(root->state().content.get()), c.view);
    for (const auto& text : c.texts) {
      EXPECT_TRUE(apptest::shows(root->state().content.get(), text)) << text;
    }
    EXPECT_FALSE(root->state().snapshot.has_value());
    EXPECT_FALSE(root->needs_idle_sync());
    EXPECT_TRUE(f.service->calls().empty());
    EXPECT_EQ(root->resources().front().children.size(), 0u);
  }
}

TEST(Scenario, PressingAnyButtonChangesNothing) {
  for (std::uint8_t scenario = 0; scenario <= 12; ++scenario) {
    SCOPED_TRACE(static_cast<int>(scenario));
    apptest::Fixture f;
    auto root = app::Orvane::for_scenario(scenario, f.services());
    ui::Context context;
    root->take_structure_dirty();
    for (const ui::Button* button : ui::find_all<ui::Button>(*root->state().content)) {
      button->activate();
    }
    EXPECT_FALSE(root->update(context));
    EXPECT_FALSE(root->take_structure_dirty());
    EXPECT_TRUE(f.service->calls().empty());
  }
}

TEST(Scenario, ARefreshOperationLeavesThePreviewForLiveData) {
  apptest::Fixture f;
  auto root = app::Orvane::for_scenario(7, f.services());
  auto outcome = root->resource_operation(1, "orvane.operation", nlohmann::json("refresh").dump());
  EXPECT_EQ(outcome, ui::OperationOutcome::handled());
  EXPECT_EQ(view_name(root->state().content.get()), "loading");
  ui::Context context;
  const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (!root->state().snapshot && std::chrono::steady_clock::now() < limit) root->update(context);
  ASSERT_TRUE(root->state().snapshot.has_value());
  EXPECT_EQ(view_name(root->state().content.get()), "dashboard");
}

TEST(Scenario, SampleArtIsDrawnAsDescribed) {
  const auto preview = app::sample_print_preview();
  ASSERT_EQ(preview.pixels->size(), 320u * 420u * 4u);
  auto pixel = [&](const app::SharedBytes& p, std::uint32_t w, std::uint32_t x, std::uint32_t y) {
    const std::size_t i = (std::size_t{y} * w + x) * 4;
    return std::array<int, 4>{(*p)[i], (*p)[i + 1], (*p)[i + 2], (*p)[i + 3]};
  };
  EXPECT_EQ(pixel(preview.pixels, 320, 0, 0), (std::array<int, 4>{248, 248, 246, 255}));
  EXPECT_EQ(pixel(preview.pixels, 320, 24, 28), (std::array<int, 4>{44, 91, 162, 255}));
  EXPECT_EQ(pixel(preview.pixels, 320, 295, 87), (std::array<int, 4>{44, 91, 162, 255}));
  EXPECT_EQ(pixel(preview.pixels, 320, 296, 87), (std::array<int, 4>{248, 248, 246, 255}));
  // Bar 1 (260 wide) starts at row 164 and ends at column 287.
  EXPECT_EQ(pixel(preview.pixels, 320, 287, 170), (std::array<int, 4>{54, 59, 68, 255}));
  EXPECT_EQ(pixel(preview.pixels, 320, 288, 170), (std::array<int, 4>{248, 248, 246, 255}));
  EXPECT_EQ(pixel(preview.pixels, 320, 28, 171), (std::array<int, 4>{248, 248, 246, 255}));

  const auto page = app::sample_scanned_page();
  ASSERT_EQ(page.pixels->size(), 320u * 440u * 4u);
  EXPECT_EQ(pixel(page.pixels, 320, 0, 0), (std::array<int, 4>{196, 198, 202, 255}));
  EXPECT_EQ(pixel(page.pixels, 320, 30, 328), (std::array<int, 4>{224, 235, 255, 255}));
  EXPECT_EQ(pixel(page.pixels, 320, 3, 330), (std::array<int, 4>{196, 198, 202, 255}));
  EXPECT_EQ(pixel(page.pixels, 320, 100, 45), (std::array<int, 4>{45, 51, 65, 255}));
  EXPECT_EQ(pixel(page.pixels, 320, 285, 94), (std::array<int, 4>{45, 51, 65, 255}));
  EXPECT_EQ(pixel(page.pixels, 320, 285, 95), (std::array<int, 4>{250, 248, 243, 255}));
  EXPECT_EQ(page.recognized_text,
            "Travel receipt\nCoffee and breakfast  \u20ac12.40\nMonday, 7 September");
  EXPECT_TRUE(page.encoded_image && page.encoded_image->empty());
}

}  // namespace
