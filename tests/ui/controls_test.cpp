#include "ui/controls.hpp"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "ui/tree_json.hpp"

namespace {

template <typename T>
std::unique_ptr<T> make() {
  return std::make_unique<T>();
}

struct Tree {
  std::unique_ptr<ui::Column> root = make<ui::Column>();
  int pressed = 0;
  std::string chosen;
  platform::Cell<std::size_t> choice{0};

  Tree() {
    auto text = make<ui::Text>();
    text->text = "Print queue";
    text->size = 28;
    text->heavy = true;
    root->push(std::move(text));

    auto row = make<ui::Row>();
    auto button = make<ui::Button>();
    button->id = "orvane.refresh";
    button->label = "Refresh";
    button->icon = 76;
    button->on_action = [this] { ++pressed; };
    row->push(std::move(button));
    auto inert = make<ui::Button>();
    inert->id = "orvane.add";
    inert->label = "Add printer";
    row->push(std::move(inert));

    auto card = make<ui::Card>();
    card->title = "Page settings";
    auto group = make<ui::ToggleGroup>();
    group->id = "orvane.scan.color";
    group->options = {"Color", "Grayscale", "Text"};
    group->selected = choice;
    card->content = std::move(group);
    row->push(std::move(card));

    auto dropdown = make<ui::Dropdown>();
    dropdown->id = "orvane.print.printer";
    dropdown->options = {{"Studio_printer", "Studio printer (Ready)"}, {"b", "B"}};
    dropdown->on_choose = [this](const std::string& value) { chosen = value; };
    row->push(std::move(dropdown));
    root->push(std::move(row));
  }
};

TEST(Controls, FoundByIdAndDrivenLikeTheDesktopDoes) {
  Tree tree;
  EXPECT_TRUE(ui::invoke(*tree.root, "orvane.refresh"));
  EXPECT_TRUE(ui::invoke(*tree.root, "orvane.refresh"));
  EXPECT_EQ(tree.pressed, 2);
  EXPECT_TRUE(ui::invoke(*tree.root, "orvane.add"))
      << "a control-only button exists but does nothing";
  EXPECT_FALSE(ui::invoke(*tree.root, "orvane.missing"));
  EXPECT_FALSE(ui::invoke(*tree.root, "orvane.scan.color")) << "not a button";

  EXPECT_TRUE(ui::select(*tree.root, "orvane.scan.color", 2));
  EXPECT_EQ(tree.choice.get(), 2u);
  EXPECT_FALSE(ui::select(*tree.root, "orvane.scan.color", 3));
  EXPECT_EQ(tree.choice.get(), 2u);

  EXPECT_TRUE(ui::select(*tree.root, "orvane.print.printer", 0));
  EXPECT_EQ(tree.chosen, "Studio_printer");
}

TEST(Controls, TextsAndTheJsonDumpFollowTreeOrder) {
  Tree tree;
  const auto texts = ui::texts(*tree.root);
  ASSERT_GE(texts.size(), 4u);
  EXPECT_EQ(texts[0], "Print queue");
  EXPECT_EQ(texts[1], "Refresh");
  EXPECT_EQ(texts[2], "Add printer");
  EXPECT_EQ(texts[3], "Page settings");

  const auto dump = nlohmann::json::parse(ui::tree_to_json(*tree.root));
  EXPECT_EQ(dump["kind"], "Column");
  EXPECT_EQ(dump["children"][0]["text"], "Print queue");
  EXPECT_EQ(dump["children"][0]["size"], 28);
  const auto& button = dump["children"][1]["children"][0];
  EXPECT_EQ(button["id"], "orvane.refresh");
  EXPECT_EQ(button["icon"], 76);
  EXPECT_EQ(button["has_action"], true);
  EXPECT_EQ(dump["children"][1]["children"][1]["has_action"], false);
  EXPECT_EQ(dump["children"][1]["children"][2]["content"]["options"][1], "Grayscale");
}

}  // namespace
