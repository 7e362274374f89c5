#include "views/blocks.hpp"

#include <gtest/gtest.h>

#include "ui/controls.hpp"
#include "view_test_support.hpp"

namespace {

using views_test::Inbox;

TEST(Blocks, TextStylesHaveTheirSizesAndWeights) {
  auto heading = views::heading_text("Orvane", 28);
  auto body = views::body_text("Ready");
  auto supporting = views::supporting_text("Preferred printer");
  EXPECT_EQ(heading->size, 28);
  EXPECT_TRUE(heading->heavy);
  EXPECT_FALSE(heading->secondary);
  EXPECT_EQ(body->size, 14);
  EXPECT_FALSE(body->heavy);
  EXPECT_FALSE(body->secondary);
  EXPECT_EQ(supporting->size, 13);
  EXPECT_TRUE(supporting->secondary);
  EXPECT_EQ(supporting->text, "Preferred printer");
}

TEST(Blocks, GapIsAnEmptyContainerOfFixedHeight) {
  auto space = views::gap(14);
  EXPECT_EQ(space->height, 14);
  EXPECT_EQ(space->child(), nullptr);
  EXPECT_FALSE(space->width.has_value());
}

TEST(Blocks, EveryKindOfButtonHasItsStyleIconAndHeight) {
  Inbox inbox;
  struct Case {
    std::unique_ptr<ui::Button> button;
    ui::ButtonStyle style;
    std::optional<int> icon;
    bool acts;
  };
  std::vector<Case> cases;
  cases.push_back({views::primary_button("a", "A", 18, inbox.sender, app::msg::Refresh{}),
                   ui::ButtonStyle::Primary, 18, true});
  cases.push_back({views::secondary_button("b", "B", 5, inbox.sender, app::msg::Refresh{}),
                   ui::ButtonStyle::Secondary, 5, true});
  cases.push_back({views::plain_button("c", "C", inbox.sender, app::msg::Refresh{}),
                   ui::ButtonStyle::Plain, std::nullopt, true});
  cases.push_back({views::plain_button("d", "D", inbox.sender, app::msg::Refresh{}, true),
                   ui::ButtonStyle::PlainSecondary, std::nullopt, true});
  cases.push_back({views::control_button("e", "E"), ui::ButtonStyle::Plain, std::nullopt, false});
  for (const auto& c : cases) {
    SCOPED_TRACE(c.button->id);
    EXPECT_EQ(c.button->style, c.style);
    EXPECT_EQ(c.button->icon, c.icon);
    EXPECT_EQ(c.button->size_hint, 44);
    EXPECT_EQ(static_cast<bool>(c.button->on_action), c.acts);
    c.button->activate();
    EXPECT_EQ(inbox.drain().size(), c.acts ? 1u : 0u);
  }
}

TEST(Blocks, EachActivationSendsItsOwnCopyOfTheMessage) {
  Inbox inbox;
  auto button = views::plain_button("orvane.job.cancel", "Cancel", inbox.sender,
                                    app::msg::AskCancelJob{"Studio_printer-42"});
  button->activate();
  button->activate();
  const auto sent = inbox.drain();
  ASSERT_EQ(sent.size(), 2u);
  EXPECT_EQ(sent[0], app::Message{app::msg::AskCancelJob{"Studio_printer-42"}});
  EXPECT_EQ(sent[1], sent[0]);
}

TEST(Blocks, PageHeaderBackButtonReturnsToTheDashboard) {
  Inbox inbox;
  auto header = views::page_header("Print queue", "Every document, in one place", inbox.sender);
  EXPECT_EQ(views_test::outline(*header),
            (std::vector<std::string>{"Button", "gap 14", "Text", "Text"}));
  const auto* back = views_test::button(*header, "orvane.back");
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(back->label, "Orvane");
  EXPECT_EQ(back->icon, 38);
  EXPECT_EQ(back->style, ui::ButtonStyle::Primary);
  ASSERT_TRUE(ui::invoke(*header, "orvane.back"));
  EXPECT_EQ(inbox.drain(), std::vector<app::Message>{app::msg::ReturnToDashboard{}});
  const auto& title = dynamic_cast<const ui::Text&>(*header->items[2]);
  const auto& subtitle = dynamic_cast<const ui::Text&>(*header->items[3]);
  EXPECT_EQ(title.text, "Print queue");
  EXPECT_EQ(title.size, 28);
  EXPECT_EQ(subtitle.text, "Every document, in one place");
  EXPECT_TRUE(subtitle.secondary);
}

TEST(Blocks, HeaderRowButtonsAreControlOnly) {
  auto row = views::header_row("Checking printers and documents");
  ASSERT_EQ(row->items.size(), 2u);
  EXPECT_EQ(dynamic_cast<const ui::Container&>(*row->items[0]).width, 220);
  EXPECT_EQ(dynamic_cast<const ui::Container&>(*row->items[1]).width, 300);
  EXPECT_EQ(ui::texts(*row), (std::vector<std::string>{"Orvane", "Checking printers and documents",
                                                       "Add printer", "Print a document"}));
  for (const char* id : {"orvane.add", "orvane.print"}) {
    const auto* control = views_test::button(*row, id);
    ASSERT_NE(control, nullptr) << id;
    EXPECT_FALSE(control->on_action) << id;
  }
}

TEST(Blocks, PageFrameCentresABoundedScrollingPage) {
  auto column = std::make_unique<ui::Column>();
  auto* page = column.get();
  auto frame = views::page_frame(std::move(column), 920);
  const auto& row = dynamic_cast<const ui::Row&>(*frame);
  ASSERT_EQ(row.items.size(), 3u);
  EXPECT_EQ(row.items[0]->kind(), ui::Kind::Spacer);
  EXPECT_EQ(row.items[2]->kind(), ui::Kind::Spacer);
  EXPECT_EQ(views_test::frame_width(*frame), 920);
  EXPECT_EQ(&views_test::framed_page(*frame), page);
}

TEST(Blocks, NoticeBannerToneFollowsTheOutcome) {
  auto good =
      views::notice_banner({"Printer paused", "Documents will wait until you resume it.", true});
  auto bad =
      views::notice_banner({"Could not pause printer",
                            "Nothing changed. Check the printer connection and try again.", false});
  EXPECT_EQ(good->tone, ui::Tone::Success);
  EXPECT_EQ(good->title, "Printer paused");
  EXPECT_EQ(good->detail, "Documents will wait until you resume it.");
  EXPECT_EQ(bad->tone, ui::Tone::Error);
  EXPECT_EQ(bad->title, "Could not pause printer");
}

TEST(Blocks, PagePreviewClampsPageAndCount) {
  struct Case {
    std::uint32_t page, count, want_page, want_count;
  };
  for (const auto& c : std::vector<Case>{
           {9, 12, 9, 12}, {0, 12, 1, 12}, {0, 0, 1, 1}, {5, 0, 1, 1}, {20, 12, 12, 12}}) {
    auto preview = views::page_preview("Queued document", c.page, c.count);
    EXPECT_EQ(preview->page, c.want_page) << c.page << " of " << c.count;
    EXPECT_EQ(preview->page_count, c.want_count) << c.page << " of " << c.count;
  }
}

TEST(Blocks, ProgressBarsStayWithinTheirRange) {
  EXPECT_DOUBLE_EQ(*views::progress_bar(0.5, "x")->fraction, 0.5);
  EXPECT_DOUBLE_EQ(*views::progress_bar(2.55, "x")->fraction, 1.0);
  EXPECT_DOUBLE_EQ(*views::progress_bar(-1.0, "x")->fraction, 0.0);
  EXPECT_DOUBLE_EQ(*views::percent_progress_bar(std::nullopt, "x")->fraction, 0.0);
  EXPECT_DOUBLE_EQ(*views::percent_progress_bar(66, "x")->fraction, 0.66);
  EXPECT_FALSE(views::indeterminate_progress_bar("Loading Orvane")->fraction.has_value());
}

// A child that records what reaches it through the card.
class Probe final : public ui::Widget {
 public:
  ui::Kind kind() const override { return ui::Kind::Container; }
  void sync(ui::Context&) override { ++syncs; }
  bool update(ui::Context&) override {
    ++updates;
    return true;
  }
  bool needs_idle_sync() const override { return true; }
  std::vector<std::string> own_operation_names() const override { return {"probe.op"}; }
  int syncs = 0;
  int updates = 0;
};

TEST(Blocks, DashboardCardPassesEverythingToItsOnlyChild) {
  auto probe = std::make_unique<Probe>();
  auto* child = probe.get();
  views::DashboardCard card(std::move(probe));
  EXPECT_EQ(card.short_name(), "DashboardCard");
  ASSERT_EQ(card.children().size(), 1u);
  EXPECT_EQ(card.children().front(), child);

  ui::Context context;
  card.sync(context);
  EXPECT_TRUE(card.update(context));
  EXPECT_EQ(child->syncs, 1);
  EXPECT_EQ(child->updates, 1);
  EXPECT_TRUE(card.needs_idle_sync());
  EXPECT_EQ(card.resource_operation_handlers(), std::set<std::string>{"probe.op"});
}

TEST(Blocks, DashboardCardHoldsACardLookColumn) {
  Inbox inbox;
  auto card =
      views::dashboard_card("Device help", views::body_text("first"),
                            views::primary_button("orvane.diagnostics.open", "Check devices", 70,
                                                  inbox.sender, app::msg::OpenDiagnostics{}));
  const auto& surface = dynamic_cast<const ui::Container&>(card->child());
  EXPECT_TRUE(surface.card_look);
  const auto& column = dynamic_cast<const ui::Column&>(*surface.child());
  EXPECT_EQ(views_test::outline(column),
            (std::vector<std::string>{"Text", "gap 14", "Text", "gap 16", "Button"}));
  const auto& title = dynamic_cast<const ui::Text&>(*column.items[0]);
  EXPECT_EQ(title.text, "Device help");
  EXPECT_EQ(title.size, 18);
  EXPECT_TRUE(title.heavy);
  ASSERT_TRUE(ui::invoke(*card, "orvane.diagnostics.open"));
  EXPECT_EQ(inbox.drain(), std::vector<app::Message>{app::msg::OpenDiagnostics{}});
}

}  // namespace
