// Rows wrap instead of widening the window; card grids fit as many cards
// per line as their minimum width allows.

#include <gtest/gtest.h>
#include <QWidget>
#include <vector>

#include "qt/flow_layout.hpp"

namespace qthost {
namespace {

struct Flow {
  explicit Flow(int items, QSize item_size = {100, 30}) {
    layout = new FlowLayout(&owner, 8, 8);
    for (int i = 0; i < items; ++i) {
      auto* item = new QWidget(&owner);
      item->setFixedSize(item_size);
      layout->addWidget(item);
      children.push_back(item);
    }
  }
  void place(int width, int height = 400) { layout->setGeometry(QRect(0, 0, width, height)); }

  QWidget owner;
  FlowLayout* layout;
  std::vector<QWidget*> children;
};

TEST(FlowLayout, WrapsOntoNewLinesWhenTheWidthRunsOut) {
  struct Case {
    int width;
    int height;  // 30 per line, 8 between lines
  };
  for (const Case& c : {Case{600, 30}, Case{532, 30}, Case{531, 68}, Case{250, 106}, Case{100, 182},
                        Case{40, 182}}) {
    Flow flow(5);
    EXPECT_EQ(flow.layout->heightForWidth(c.width), c.height) << c.width;
  }
  Flow flow(5);
  EXPECT_TRUE(flow.layout->hasHeightForWidth());
  // The widest item is all a row insists on.
  EXPECT_EQ(flow.layout->minimumSize().width(), 100);
  EXPECT_EQ(flow.layout->sizeHint().width(), 5 * 100 + 4 * 8);
}

TEST(FlowLayout, PlacesWrappedItemsLineByLine) {
  Flow flow(3);
  flow.place(250);
  EXPECT_EQ(flow.children[0]->geometry(), QRect(0, 0, 100, 30));
  EXPECT_EQ(flow.children[1]->geometry(), QRect(108, 0, 100, 30));
  EXPECT_EQ(flow.children[2]->geometry(), QRect(0, 38, 100, 30));
}

TEST(FlowLayout, FlexibleSpacesCentreAPageWithAMaximumWidth) {
  QWidget owner;
  auto* layout = new FlowLayout(&owner, 8, 8);
  auto* page = new QWidget(&owner);
  page->setMinimumWidth(200);
  page->setMaximumWidth(920);
  page->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
  layout->add_flexible_space();
  layout->addWidget(page);
  layout->add_flexible_space();

  layout->setGeometry(QRect(0, 0, 1280, 400));
  EXPECT_EQ(page->geometry().width(), 920);
  EXPECT_EQ(page->geometry().left(), 1280 - page->geometry().right() - 1);

  layout->setGeometry(QRect(0, 0, 520, 400));
  EXPECT_EQ(page->geometry(), QRect(0, 0, 520, page->geometry().height()));
}

TEST(FlowLayout, AFlexibleSpacePushesTheRestToTheEnd) {
  QWidget owner;
  auto* layout = new FlowLayout(&owner, 8, 8);
  auto* cancel = new QWidget(&owner);
  cancel->setFixedSize(80, 44);
  auto* print = new QWidget(&owner);
  print->setFixedSize(70, 44);
  layout->add_flexible_space();
  layout->addWidget(cancel);
  layout->addWidget(print);
  layout->setGeometry(QRect(0, 0, 600, 44));
  EXPECT_EQ(print->geometry().right(), 599);
  EXPECT_EQ(cancel->geometry().right() + 8 + 1, print->geometry().left());
}

TEST(FlowLayout, CardGridFitsCardsBetweenTheirWidths) {
  struct Case {
    int width;
    int card_width;
    int per_line;
  };
  for (const Case& c : {Case{1000, 420, 2}, Case{1120, 368, 3}, Case{1100, 361, 3},
                        Case{700, 346, 2}, Case{500, 420, 1}, Case{300, 300, 1}}) {
    Flow flow(5, QSize(0, 0));
    for (QWidget* card : flow.children) {
      card->setMinimumSize(0, 50);
      card->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    }
    flow.layout->set_card_widths(330, 420);
    flow.place(c.width, 1000);
    EXPECT_EQ(flow.children[0]->width(), c.card_width) << c.width;
    const int lines = (5 + c.per_line - 1) / c.per_line;
    EXPECT_EQ(flow.children[c.per_line - 1]->y(), 0) << c.width;
    if (c.per_line < 5) {
      EXPECT_GT(flow.children[c.per_line]->y(), 0) << c.width;
    }
    EXPECT_EQ(flow.layout->heightForWidth(c.width), lines * 50 + (lines - 1) * 8) << c.width;
  }
}

}  // namespace
}  // namespace qthost
