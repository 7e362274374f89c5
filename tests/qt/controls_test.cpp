// Realized controls drive the toolkit's actions and cells.

#include <gtest/gtest.h>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <cmath>

#include "qt/host_window.hpp"
#include "qt/realizer.hpp"
#include "qt/switch_button.hpp"
#include "tree.hpp"

namespace qthost {
namespace {

using namespace qthost::testing;

struct Shown {
  TestRoot* root = nullptr;
  std::unique_ptr<HostWindow> window;
};

Shown show(ui::WidgetPtr content) {
  auto root = std::make_unique<TestRoot>(std::move(content));
  Shown shown;
  shown.root = root.get();
  shown.window = std::make_unique<HostWindow>(std::move(root));
  shown.window->resize(800, 600);
  shown.window->show();
  wait_until([&] { return shown.root->update_calls > 0; });
  return shown;
}

TEST(Controls, ClickingAButtonRunsItsActionThenUpdatesTheRoot) {
  int runs = 0;
  auto shown = show(column(button("orvane.refresh", "Refresh", [&] { ++runs; })));
  auto* push = shown.window->findChild<QPushButton*>("orvane.refresh");
  ASSERT_NE(push, nullptr);
  EXPECT_EQ(push->accessibleName(), "Refresh");

  const int calls = shown.root->update_calls;
  QTest::mouseClick(push, Qt::LeftButton);
  EXPECT_EQ(runs, 1);
  // The update comes from the event loop, not from inside the click.
  EXPECT_EQ(shown.root->update_calls, calls);
  EXPECT_TRUE(wait_until([&] { return shown.root->update_calls > calls; }));

  QTest::mouseClick(push, Qt::LeftButton);
  EXPECT_EQ(runs, 2);
}

TEST(Controls, AControlOnlyButtonDoesNothing) {
  auto shown = show(column(button("orvane.add", "Add printer")));
  auto* push = shown.window->findChild<QPushButton*>("orvane.add");
  ASSERT_NE(push, nullptr);
  QTest::mouseClick(push, Qt::LeftButton);  // no action: must not crash
  EXPECT_EQ(shown.window->rebuild_count(), 1);
}

std::unique_ptr<ui::ToggleGroup> quality_group(platform::Cell<std::size_t> cell) {
  auto group = make<ui::ToggleGroup>();
  group->id = "orvane.scan.resolution";
  group->label = "Quality";
  group->options = {"150 dpi", "300 dpi", "600 dpi"};
  group->selected = std::move(cell);
  return group;
}

int checked_option(QWidget& window, const QString& id) {
  for (int i = 0; i < 8; ++i) {
    auto* option = window.findChild<QPushButton*>(id + ".option." + QString::number(i));
    if (!option) return -1;
    if (option->isChecked()) return i;
  }
  return -1;
}

TEST(Controls, ToggleGroupSelectionWritesTheIndexCell) {
  platform::Cell<std::size_t> quality(1);
  auto shown = show(column(quality_group(quality)));
  auto* group = shown.window->findChild<QWidget*>("orvane.scan.resolution");
  ASSERT_NE(group, nullptr);
  EXPECT_EQ(group->accessibleName(), "Quality");
  EXPECT_EQ(checked_option(*shown.window, "orvane.scan.resolution"), 1);

  auto* last = shown.window->findChild<QPushButton*>("orvane.scan.resolution.option.2");
  ASSERT_NE(last, nullptr);
  EXPECT_EQ(last->accessibleName(), "600 dpi");
  QTest::mouseClick(last, Qt::LeftButton);
  EXPECT_EQ(quality.get(), 2u);
  EXPECT_EQ(checked_option(*shown.window, "orvane.scan.resolution"), 2);
}

TEST(Controls, ToggleGroupFollowsItsCellAfterAnUpdateWithoutARebuild) {
  platform::Cell<std::size_t> quality(0);
  auto shown = show(column(quality_group(quality)));
  const int rebuilds = shown.window->rebuild_count();

  // The root's update writes the cell (as "select" from the desktop would)
  // and changes no structure.
  shown.root->sender().send([quality]() -> ui::WidgetPtr {
    quality.set(2);
    return nullptr;
  });
  ASSERT_TRUE(
      wait_until([&] { return checked_option(*shown.window, "orvane.scan.resolution") == 2; }));
  EXPECT_EQ(shown.window->rebuild_count(), rebuilds);

  // An index outside the options shows no option selected.
  shown.root->sender().send([quality]() -> ui::WidgetPtr {
    quality.set(7);
    return nullptr;
  });
  EXPECT_TRUE(
      wait_until([&] { return checked_option(*shown.window, "orvane.scan.resolution") == -1; }));
}

std::unique_ptr<ui::NumberInput> copies_input(platform::Cell<double> cell, double min = 1,
                                              double max = 99) {
  auto input = make<ui::NumberInput>();
  input->id = "orvane.print.copies";
  input->label = "Number of copies";
  input->min = min;
  input->max = max;
  input->value = std::move(cell);
  return input;
}

TEST(Controls, NumberInputWritesItsCellWithinTheRange) {
  platform::Cell<double> copies(3.0);
  auto shown = show(column(copies_input(copies)));
  auto* spin = shown.window->findChild<QSpinBox*>("orvane.print.copies");
  ASSERT_NE(spin, nullptr);
  EXPECT_EQ(spin->accessibleName(), "Number of copies");
  EXPECT_EQ(spin->value(), 3);
  EXPECT_EQ(spin->minimum(), 1);
  EXPECT_EQ(spin->maximum(), 99);

  spin->setFocus();
  QTest::keyClick(spin, Qt::Key_Up);
  EXPECT_EQ(copies.get(), 4.0);

  spin->selectAll();
  QTest::keyClicks(spin, "150");  // typed beyond the range
  EXPECT_LE(copies.get(), 99.0);
  EXPECT_GE(copies.get(), 1.0);

  copies.set(12.0);
  pull_bound_values(*shown.window->content());
  EXPECT_EQ(spin->value(), 12);
}

TEST(Controls, NumberInputShowsOddCellValuesWithoutWritingThem) {
  struct Case {
    double stored;
    int shown;
  };
  for (const Case& c :
       {Case{2.5, 2}, Case{3.5, 4}, Case{0.0, 1}, Case{250.0, 99}, Case{std::nan(""), 1}}) {
    platform::Cell<double> copies(c.stored);
    auto shown = show(column(copies_input(copies)));
    auto* spin = shown.window->findChild<QSpinBox*>("orvane.print.copies");
    ASSERT_NE(spin, nullptr);
    EXPECT_EQ(spin->value(), c.shown) << c.stored;
    // Showing a value is not an edit: the application converts it itself.
    if (std::isnan(c.stored)) {
      EXPECT_TRUE(std::isnan(copies.get()));
    } else {
      EXPECT_EQ(copies.get(), c.stored);
    }
  }
}

TEST(Controls, FractionalRangeGivesADecimalInput) {
  platform::Cell<double> scale(1.25);
  auto shown = show(column(copies_input(scale, 0.5, 2.5)));
  auto* spin = shown.window->findChild<QDoubleSpinBox*>("orvane.print.copies");
  ASSERT_NE(spin, nullptr);
  EXPECT_DOUBLE_EQ(spin->value(), 1.25);
  spin->setValue(2.0);
  EXPECT_DOUBLE_EQ(scale.get(), 2.0);
}

std::unique_ptr<ui::Dropdown> printer_dropdown(std::vector<std::string>* chosen,
                                               std::optional<std::string> current) {
  auto dropdown = make<ui::Dropdown>();
  dropdown->id = "orvane.print.printer";
  dropdown->label = "Printer";
  dropdown->placeholder = "Choose a printer";
  dropdown->options = {{"Studio_printer", "Studio printer (Ready)"}, {"Office", "Office (Paused)"}};
  dropdown->current = std::move(current);
  dropdown->on_choose = [chosen](const std::string& value) { chosen->push_back(value); };
  return dropdown;
}

TEST(Controls, DropdownShowsThePlaceholderAndPostsTheChoice) {
  std::vector<std::string> chosen;
  auto shown = show(column(printer_dropdown(&chosen, std::nullopt)));
  auto* combo = shown.window->findChild<QComboBox*>("orvane.print.printer");
  ASSERT_NE(combo, nullptr);
  EXPECT_EQ(combo->accessibleName(), "Printer");
  EXPECT_EQ(combo->currentIndex(), -1);
  EXPECT_EQ(combo->placeholderText(), "Choose a printer");
  EXPECT_EQ(combo->count(), 2);
  EXPECT_EQ(combo->itemText(1), "Office (Paused)");
  EXPECT_TRUE(chosen.empty());

  combo->setFocus();
  QTest::keyClick(combo, Qt::Key_Down);
  ASSERT_EQ(chosen.size(), 1u);
  EXPECT_EQ(chosen.back(), "Studio_printer");

  // Programmatic changes (a rebuild showing the current value) post nothing.
  combo->setCurrentIndex(1);
  EXPECT_EQ(chosen.size(), 1u);
}

TEST(Controls, DropdownShowsTheCurrentValue) {
  std::vector<std::string> chosen;
  auto shown = show(column(printer_dropdown(&chosen, std::string("Office"))));
  auto* combo = shown.window->findChild<QComboBox*>("orvane.print.printer");
  ASSERT_NE(combo, nullptr);
  EXPECT_EQ(combo->currentIndex(), 1);

  auto gone = show(column(printer_dropdown(&chosen, std::string("Vanished"))));
  combo = gone.window->findChild<QComboBox*>("orvane.print.printer");
  ASSERT_NE(combo, nullptr);
  EXPECT_EQ(combo->currentIndex(), -1);
  EXPECT_TRUE(chosen.empty());
}

TEST(Controls, SwitchWritesItsCell) {
  platform::Cell<bool> two_sided(false);
  auto toggle = make<ui::Toggle>();
  toggle->value = two_sided;
  auto shown = show(column(std::move(toggle)));
  auto* control = shown.window->findChild<SwitchButton*>();
  ASSERT_NE(control, nullptr);
  EXPECT_FALSE(control->isChecked());
  QTest::mouseClick(control, Qt::LeftButton);
  EXPECT_TRUE(two_sided.get());
  control->setFocus();
  QTest::keyClick(control, Qt::Key_Space);
  EXPECT_FALSE(two_sided.get());

  two_sided.set(true);
  pull_bound_values(*shown.window->content());
  EXPECT_TRUE(control->isChecked());
}

}  // namespace
}  // namespace qthost
