// The update loop: updates run from the event loop, one event per update
// call, and a changed structure is realized anew without pulling widgets
// out from under the signal that asked for it.

#include <gtest/gtest.h>
#include <QComboBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QTest>
#include <thread>

#include "qt/host_window.hpp"
#include "tree.hpp"

namespace qthost {
namespace {

using namespace qthost::testing;

struct Shown {
  TestRoot* root = nullptr;
  std::unique_ptr<HostWindow> window;
};

Shown show(ui::WidgetPtr content, QSize size = {800, 600}) {
  auto root = std::make_unique<TestRoot>(std::move(content));
  Shown shown;
  shown.root = root.get();
  shown.window = std::make_unique<HostWindow>(std::move(root));
  shown.window->resize(size);
  shown.window->show();
  wait_until([&] { return shown.root->update_calls > 0; });
  return shown;
}

QStringList label_texts(QWidget& window) {
  QStringList texts;
  for (QLabel* label : window.findChildren<QLabel*>()) {
    if (label->isVisibleTo(&window)) texts << label->text();
  }
  return texts;
}

TEST(HostWindow, AppliesQueuedEventsOneByOneAndShowsTheLast) {
  auto shown = show(column(text("Loading")));
  EXPECT_EQ(shown.window->rebuild_count(), 1);
  for (const char* name : {"first", "second", "third"}) {
    shown.root->sender().send([name] { return column(text(name)); });
  }
  ASSERT_TRUE(wait_until([&] { return label_texts(*shown.window).contains("third"); }));
  // Three events need three update calls, and one more that finds nothing.
  EXPECT_GE(shown.root->update_calls, 4);
  // A burst is applied in one slice and realized once.
  EXPECT_LE(shown.window->rebuild_count(), 4);
  EXPECT_FALSE(label_texts(*shown.window).contains("Loading"));
}

TEST(HostWindow, AButtonThatReplacesTheViewIsDeletedOnlyFromTheEventLoop) {
  TestRoot* root = nullptr;
  auto shown = show(column(text("Start")));
  root = shown.root;
  auto sender = root->sender();
  std::function<ui::WidgetPtr()> next_page;
  int pages = 0;
  next_page = [&]() -> ui::WidgetPtr {
    ++pages;
    // The label changes with the page, so the button is not taken over.
    return column(text("Page " + std::to_string(pages)),
                  button("orvane.next", "Next after " + std::to_string(pages),
                         [&] { sender.send(next_page); }));
  };
  sender.send(next_page);
  ASSERT_TRUE(wait_until([&] { return shown.window->findChild<QPushButton*>("orvane.next"); }));

  for (int i = 0; i < 5; ++i) {
    QPointer<QPushButton> old = shown.window->findChild<QPushButton*>("orvane.next");
    ASSERT_TRUE(old);
    QTest::mouseClick(old, Qt::LeftButton);
    EXPECT_TRUE(old) << "deleted inside its own click";
    ASSERT_TRUE(wait_until([&] { return old.isNull(); }));
  }
  EXPECT_TRUE(label_texts(*shown.window).contains("Page 6"));
}

TEST(HostWindow, ARebuildAskedForWhileASpinBoxEmitsLeavesItAliveUntilTheLoop) {
  platform::Cell<double> copies(1.0);
  auto input = make<ui::NumberInput>();
  input->id = "orvane.print.copies";
  input->min = 1;
  input->max = 99;
  input->value = copies;
  auto shown = show(column(std::move(input)));
  QPointer<QSpinBox> spin = shown.window->findChild<QSpinBox*>("orvane.print.copies");
  ASSERT_TRUE(spin);

  // Every edit asks for a new view from inside valueChanged.
  auto sender = shown.root->sender();
  QObject::connect(spin, &QSpinBox::valueChanged, spin,
                   [sender] { sender.send([] { return column(text("Replaced")); }); });
  spin->setFocus();
  QTest::keyClick(spin, Qt::Key_Up);
  QTest::keyClick(spin, Qt::Key_Up);
  EXPECT_TRUE(spin);
  EXPECT_EQ(copies.get(), 3.0);
  ASSERT_TRUE(wait_until([&] { return spin.isNull(); }));
  EXPECT_TRUE(label_texts(*shown.window).contains("Replaced"));
}

TEST(HostWindow, AChoiceThatRebuildsTheViewShowsTheNewOne) {
  std::vector<std::string> chosen;
  auto shown = show(column(text("Print a document", true)));
  auto sender = shown.root->sender();
  std::function<ui::WidgetPtr()> view = [&]() -> ui::WidgetPtr {
    auto dropdown = make<ui::Dropdown>();
    dropdown->id = "orvane.print.printer";
    dropdown->options = {{"a", "A"}, {"b", "B"}};
    if (!chosen.empty()) dropdown->current = chosen.back();
    dropdown->on_choose = [&](const std::string& value) {
      chosen.push_back(value);
      sender.send(view);
    };
    return column(text("Print a document", true), std::move(dropdown));
  };
  sender.send(view);
  ASSERT_TRUE(wait_until([&] { return shown.window->findChild<QComboBox*>(); }));
  QPointer<QComboBox> combo = shown.window->findChild<QComboBox*>();
  combo->setFocus();
  QTest::keyClick(combo, Qt::Key_Down);
  ASSERT_EQ(chosen, std::vector<std::string>{"a"});
  ASSERT_TRUE(wait_until([&] { return combo.isNull(); }));
  auto* shown_combo = shown.window->findChild<QComboBox*>();
  ASSERT_NE(shown_combo, nullptr);
  EXPECT_EQ(shown_combo->currentIndex(), 0);
}

ui::WidgetPtr tall_page(const std::string& title, int version = 0) {
  auto page = column(text(title, true), text("Version " + std::to_string(version)));
  for (int i = 0; i < 60; ++i) page->push(button("orvane.item." + std::to_string(i), "Item"));
  return page_frame(std::move(page), 920);
}

int scroll_of(QWidget& window) {
  auto* area = window.findChild<QScrollArea*>();
  return area ? area->verticalScrollBar()->value() : -1;
}

TEST(HostWindow, TheSameViewKeepsItsScrollPositionAnotherStartsAtTheTop) {
  auto shown = show(tall_page("Print queue"), {800, 400});
  auto* area = shown.window->findChild<QScrollArea*>();
  ASSERT_NE(area, nullptr);
  ASSERT_TRUE(wait_until([&] { return area->verticalScrollBar()->maximum() > 600; }));
  area->verticalScrollBar()->setValue(600);

  // Unchanged: the same widgets stay. Changed: new widgets, same position.
  for (int version : {0, 1}) {
    const int rebuilds = shown.window->rebuild_count();
    shown.root->sender().send([version] { return tall_page("Print queue", version); });
    ASSERT_TRUE(wait_until([&] { return shown.window->rebuild_count() > rebuilds; }));
    EXPECT_EQ(scroll_of(*shown.window), 600) << version;
  }
  EXPECT_NE(shown.window->findChild<QScrollArea*>(), area);

  const int rebuilds = shown.window->rebuild_count();
  shown.root->sender().send([] { return tall_page("Print history", 1); });
  ASSERT_TRUE(wait_until([&] { return shown.window->rebuild_count() > rebuilds; }));
  EXPECT_EQ(scroll_of(*shown.window), 0);
}

TEST(HostWindow, APageFrameIsCentredInAWideWindowAndFillsANarrowOne) {
  auto shown = show(tall_page("Print queue"), {1280, 800});
  auto* area = shown.window->findChild<QScrollArea*>();
  ASSERT_NE(area, nullptr);
  QTest::qWait(20);
  const QRect frame(area->parentWidget()->mapTo(shown.window.get(), QPoint(0, 0)),
                    area->parentWidget()->size());
  EXPECT_EQ(frame.width(), 920);
  EXPECT_EQ(frame.left(), shown.window->width() - frame.right() - 1);

  shown.window->resize(520, 820);
  QTest::qWait(20);
  const QRect narrow(area->parentWidget()->mapTo(shown.window.get(), QPoint(0, 0)),
                     area->parentWidget()->size());
  EXPECT_EQ(narrow.left(), 0);
  EXPECT_EQ(narrow.width(), 520);
  EXPECT_GT(area->verticalScrollBar()->maximum(), 0);
  EXPECT_EQ(area->horizontalScrollBar()->maximum(), 0);
}

TEST(HostWindow, AWorkerThreadsWakeBringsAnUpdate) {
  auto shown = show(column(text("Before")));
  auto sender = shown.root->sender();
  std::thread worker([sender] { sender.send([] { return column(text("From a worker")); }); });
  worker.join();
  EXPECT_TRUE(wait_until([&] { return label_texts(*shown.window).contains("From a worker"); }));
}

TEST(HostWindow, PollsOnIdleTicksOnlyWhileTheRootAsks) {
  auto shown = show(column(text("Waiting")));
  EXPECT_FALSE(shown.window->idle_polling());
  shown.root->idle = true;
  shown.window->schedule_update();
  ASSERT_TRUE(wait_until([&] { return shown.window->idle_polling(); }));
  const int calls = shown.root->update_calls;
  EXPECT_TRUE(wait_until([&] { return shown.root->update_calls >= calls + 3; }));

  shown.root->idle = false;
  ASSERT_TRUE(wait_until([&] { return !shown.window->idle_polling(); }));
  const int settled = shown.root->update_calls;
  QTest::qWait(5 * HostWindow::kIdleIntervalMs);
  EXPECT_EQ(shown.root->update_calls, settled);
}

TEST(HostWindow, ALongBurstLetsTheEventLoopInBetweenSlices) {
  auto shown = show(column(text("Start")));
  const int total = HostWindow::kUpdatesPerSlice * 2 + 5;
  for (int i = 0; i < total; ++i) {
    shown.root->sender().send([]() -> ui::WidgetPtr { return nullptr; });
  }
  shown.root->sender().send([] { return column(text("Done")); });
  const int calls = shown.root->update_calls;
  EXPECT_TRUE(shown.window->run_updates());
  EXPECT_LE(shown.root->update_calls - calls, HostWindow::kUpdatesPerSlice);
  EXPECT_TRUE(wait_until([&] { return label_texts(*shown.window).contains("Done"); }));
}

TEST(HostWindow, FocusStaysOnTheSameControlAcrossARebuildOfTheSameView) {
  int builds = 0;
  auto view = [&builds] {
    // A new label each time: the focused button is created again.
    ++builds;
    return column(text("Scan a document", true), button("orvane.scan.cancel", "Cancel"),
                  button("orvane.scan.start", "Scan page " + std::to_string(builds)));
  };
  auto shown = show(view());
  shown.window->activateWindow();
  auto* start = shown.window->findChild<QPushButton*>("orvane.scan.start");
  ASSERT_NE(start, nullptr);
  start->setFocus();
  const int rebuilds = shown.window->rebuild_count();
  shown.root->sender().send(view);
  ASSERT_TRUE(wait_until([&] { return shown.window->rebuild_count() > rebuilds; }));
  auto* again = shown.window->findChild<QPushButton*>("orvane.scan.start");
  ASSERT_NE(again, nullptr);
  EXPECT_NE(again, start);
  EXPECT_EQ(QApplication::focusWidget(), again);
}

TEST(HostWindow, UnchangedPartsKeepTheirWidgetsChangedPartsGetNewOnes) {
  auto view = [](const std::string& second) {
    auto first_card = make<ui::Card>();
    first_card->title = "Studio printer";
    first_card->content = text("Ready");
    auto second_card = make<ui::Card>();
    second_card->title = "Office printer";
    second_card->content = text(second);
    return page_frame(column(text("Orvane", true), std::move(first_card), std::move(second_card)),
                      1120);
  };
  auto shown = show(view("Ready"));
  auto card_named = [&](const QString& name) -> QWidget* {
    for (QWidget* widget : shown.window->content()->findChildren<QWidget*>()) {
      if (widget->accessibleName() == name) return widget;
    }
    return nullptr;
  };
  QPointer<QWidget> studio = card_named("Studio printer");
  QPointer<QWidget> office = card_named("Office printer");
  ASSERT_TRUE(studio && office);

  shown.root->sender().send([&] { return view("Paused"); });
  ASSERT_TRUE(wait_until([&] { return label_texts(*shown.window).contains("Paused"); }));
  EXPECT_EQ(card_named("Studio printer"), studio.data());
  EXPECT_NE(card_named("Office printer"), office.data());
  EXPECT_TRUE(studio->isVisible());
  EXPECT_GE(shown.window->last_reused(), 1);

  // Nothing changed at all: the whole page stays as it is.
  QWidget* content = shown.window->content();
  const int rebuilds = shown.window->rebuild_count();
  shown.root->sender().send([&] { return view("Paused"); });
  ASSERT_TRUE(wait_until([&] { return shown.window->rebuild_count() > rebuilds; }));
  EXPECT_EQ(shown.window->content(), content);
  EXPECT_EQ(shown.window->last_created(), 0);
  EXPECT_TRUE(content->isVisible());
}

TEST(HostWindow, ATakenOverButtonActsForTheNewTree) {
  // Two documents can share a title and state: their "Cancel" buttons look
  // alike but name different documents.
  std::vector<std::string> cancelled;
  auto view = [&cancelled](const std::string& document) {
    return column(text("Print queue", true),
                  button("orvane.job.cancel", "Cancel",
                         [&cancelled, document] { cancelled.push_back(document); }));
  };
  auto shown = show(view("Studio_printer-41"));
  QPointer<QPushButton> cancel = shown.window->findChild<QPushButton*>("orvane.job.cancel");
  ASSERT_TRUE(cancel);
  const int rebuilds = shown.window->rebuild_count();
  shown.root->sender().send([&] { return view("Studio_printer-42"); });
  ASSERT_TRUE(wait_until([&] { return shown.window->rebuild_count() > rebuilds; }));
  ASSERT_EQ(shown.window->findChild<QPushButton*>("orvane.job.cancel"), cancel.data());
  QTest::mouseClick(cancel, Qt::LeftButton);
  EXPECT_EQ(cancelled, std::vector<std::string>{"Studio_printer-42"});
}

TEST(HostWindow, TakenOverInputsFollowTheNewTreesCells) {
  platform::Cell<std::size_t> first(0);
  platform::Cell<std::size_t> second(2);
  auto view = [](platform::Cell<std::size_t> cell) {
    auto group = make<ui::ToggleGroup>();
    group->id = "orvane.scan.color";
    group->options = {"Color", "Grayscale", "Text"};
    group->selected = std::move(cell);
    return column(text("Scan a document", true), std::move(group));
  };
  auto shown = show(view(first));
  QPointer<QWidget> group = shown.window->findChild<QWidget*>("orvane.scan.color");
  ASSERT_TRUE(group);
  shown.root->sender().send([&] { return view(second); });
  auto* option = shown.window->findChild<QPushButton*>("orvane.scan.color.option.2");
  ASSERT_TRUE(wait_until([&] {
    option = shown.window->findChild<QPushButton*>("orvane.scan.color.option.2");
    return option && option->isChecked();
  }));
  EXPECT_EQ(shown.window->findChild<QWidget*>("orvane.scan.color"), group.data());
  auto* grayscale = shown.window->findChild<QPushButton*>("orvane.scan.color.option.1");
  ASSERT_NE(grayscale, nullptr);
  QTest::mouseClick(grayscale, Qt::LeftButton);
  EXPECT_EQ(second.get(), 1u);
  EXPECT_EQ(first.get(), 0u);
}

TEST(HostWindow, AChoiceTheApplicationIgnoredIsUndoneOnTheTakenOverDropdown) {
  auto shown = show(column(text("Print a document", true)));
  auto sender = shown.root->sender();
  std::function<ui::WidgetPtr()> view = [&]() -> ui::WidgetPtr {
    auto dropdown = make<ui::Dropdown>();
    dropdown->id = "orvane.print.printer";
    dropdown->options = {{"a", "A"}, {"b", "B"}};
    dropdown->current = "a";
    // The application answers every choice with the same view.
    dropdown->on_choose = [&](const std::string&) { sender.send(view); };
    return column(text("Print a document", true), std::move(dropdown));
  };
  sender.send(view);
  ASSERT_TRUE(wait_until([&] { return shown.window->findChild<QComboBox*>() != nullptr; }));
  auto* combo = shown.window->findChild<QComboBox*>();
  EXPECT_EQ(combo->currentIndex(), 0);
  const int rebuilds = shown.window->rebuild_count();
  combo->setFocus();
  QTest::keyClick(combo, Qt::Key_Down);
  EXPECT_EQ(combo->currentIndex(), 1);
  ASSERT_TRUE(wait_until([&] { return shown.window->rebuild_count() > rebuilds; }));
  EXPECT_EQ(shown.window->findChild<QComboBox*>(), combo);
  EXPECT_EQ(combo->currentIndex(), 0);
}

}  // namespace
}  // namespace qthost
