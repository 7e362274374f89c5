// Every toolkit widget becomes a real Qt widget carrying its names.

#include <gtest/gtest.h>
#include <QLabel>
#include <QLayout>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <cmath>
#include <limits>

#include "qt/busy_bar.hpp"
#include "qt/icons.hpp"
#include "qt/image_view.hpp"
#include "qt/page_preview.hpp"
#include "qt/realizer.hpp"
#include "qt/surface.hpp"
#include "tree.hpp"

namespace qthost {
namespace {

using namespace qthost::testing;

std::unique_ptr<QWidget> realized(const ui::Widget& tree) {
  return std::unique_ptr<QWidget>(realize(tree, {}));
}

TEST(Realize, ControlsCarryTheirIdsAndLabels) {
  auto card = make<ui::Card>();
  card->title = "Printer";
  card->action = button("orvane.device.open.Studio_printer", "Open");
  card->content = text("Ready");
  auto banner = make<ui::Banner>();
  banner->tone = ui::Tone::Warning;
  banner->title = "Paper is low";
  banner->detail = "Add paper soon.";
  auto bar = make<ui::ProgressBar>();
  bar->label = "Loading Orvane";
  auto image = make<ui::Image>();
  image->label = "Preview of report.pdf";
  auto tree = column(std::move(card), std::move(banner), std::move(bar), std::move(image));

  auto widget = realized(*tree);
  auto* open = widget->findChild<QPushButton*>("orvane.device.open.Studio_printer");
  ASSERT_NE(open, nullptr);
  EXPECT_EQ(open->text(), "Open");
  EXPECT_EQ(open->accessibleName(), "Open");
  EXPECT_GE(open->minimumHeight(), 44);

  QStringList surfaces;
  for (auto* surface : widget->findChildren<Surface*>()) {
    surfaces << surface->accessibleName() + "|" + surface->accessibleDescription();
  }
  EXPECT_TRUE(surfaces.contains("Printer|"));
  EXPECT_TRUE(surfaces.contains("Paper is low|Add paper soon."));

  auto* progress = widget->findChild<QProgressBar*>();
  ASSERT_NE(progress, nullptr);
  EXPECT_EQ(progress->accessibleName(), "Loading Orvane");
  EXPECT_EQ(progress->maximum(), 0);  // indeterminate

  auto* view = widget->findChild<ImageView*>();
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(view->accessibleName(), "Preview of report.pdf");
}

TEST(Realize, TextStylesSetSizeWeightAndColour) {
  auto heading = make<ui::Text>();
  heading->text = "Print queue";
  heading->size = 28;
  heading->heavy = true;
  auto supporting = make<ui::Text>();
  supporting->text = "Every document, in one place";
  supporting->size = 13;
  supporting->secondary = true;
  auto tree = column(std::move(heading), std::move(supporting));
  auto widget = realized(*tree);
  const auto labels = widget->findChildren<QLabel*>();
  ASSERT_EQ(labels.size(), 2);
  EXPECT_EQ(labels[0]->font().pixelSize(), 28);
  EXPECT_GT(labels[0]->font().weight(), QFont::Normal);
  EXPECT_EQ(labels[1]->font().pixelSize(), 13);
  EXPECT_EQ(labels[1]->font().weight(), QFont::Normal);
  EXPECT_NE(labels[0]->palette().color(QPalette::WindowText),
            labels[1]->palette().color(QPalette::WindowText));
  EXPECT_TRUE(labels[0]->wordWrap());
}

TEST(Realize, ProgressFractionsAreClampedNotIgnored) {
  struct Case {
    double fraction;
    int steps;
  };
  for (const Case& c :
       {Case{0.0, 0}, Case{0.25, 250}, Case{1.0, 1000}, Case{-0.5, 0}, Case{1.7, 1000},
        Case{std::nan(""), 0}, Case{std::numeric_limits<double>::infinity(), 0}}) {
    auto bar = make<ui::ProgressBar>();
    bar->fraction = c.fraction;
    auto widget = realized(*bar);
    auto* progress = qobject_cast<QProgressBar*>(widget.get());
    ASSERT_NE(progress, nullptr);
    EXPECT_EQ(progress->maximum(), BusyBar::kSteps);
    EXPECT_EQ(progress->value(), c.steps) << c.fraction;
  }
}

TEST(Realize, PagePreviewShowsAClampedPosition) {
  struct Case {
    std::uint32_t page;
    std::uint32_t count;
    const char* shown;
  };
  for (const Case& c :
       {Case{9, 12, "Page 9 of 12"}, Case{0, 0, "Page 1 of 1"}, Case{0, 5, "Page 1 of 5"},
        Case{15, 12, "Page 12 of 12"}, Case{3, 0, "Page 1 of 1"}}) {
    auto preview = make<ui::PagePreview>();
    preview->label = "Queued document";
    preview->page = c.page;
    preview->page_count = c.count;
    auto widget = realized(*preview);
    auto* position = widget->findChild<QLabel*>("pagePosition");
    ASSERT_NE(position, nullptr);
    EXPECT_EQ(position->text(), c.shown);
    EXPECT_EQ(widget->accessibleName(), "Queued document");
  }
}

TEST(Realize, EveryIconNumberOfTheViewsHasItsOwnGlyph) {
  QSet<QString> paths;
  for (int number : {5, 18, 19, 23, 28, 38, 39, 60, 70, 76}) {
    EXPECT_TRUE(has_icon(number)) << number;
    paths.insert(icon_path(number));
    const QImage image = icon_pixmap(number, 24, 1.0).toImage();
    ASSERT_FALSE(image.isNull()) << number;
    // Something was drawn: the glyph is not fully transparent.
    bool drawn = false;
    for (int y = 0; y < image.height() && !drawn; ++y) {
      for (int x = 0; x < image.width() && !drawn; ++x) drawn = qAlpha(image.pixel(x, y)) > 0;
    }
    EXPECT_TRUE(drawn) << number;
  }
  EXPECT_EQ(paths.size(), 10);
  EXPECT_FALSE(has_icon(4242));
  EXPECT_FALSE(icon_pixmap(4242, 24, 1.0).isNull());
}

TEST(Realize, IconWidgetsTakeTheirSize) {
  auto icon = make<ui::Icon>();
  icon->number = 5;
  icon->size = 52;
  auto widget = realized(*icon);
  EXPECT_EQ(widget->size(), QSize(52, 52));
}

class Holder final : public ui::Widget {
 public:
  ui::Kind kind() const override { return ui::Kind::Custom; }
  std::vector<ui::Widget*> children() override { return {first.get(), second.get()}; }
  using ui::Widget::children;
  ui::WidgetPtr first;
  ui::WidgetPtr second;
};

TEST(Realize, UnknownApplicationWidgetsShowTheirChildren) {
  Holder holder;
  holder.first = button("orvane.first", "First");
  holder.second = button("orvane.second", "Second");
  auto widget = realized(holder);
  EXPECT_NE(widget->findChild<QPushButton*>("orvane.first"), nullptr);
  EXPECT_NE(widget->findChild<QPushButton*>("orvane.second"), nullptr);
}

TEST(Realize, ImagesNeedACompletePixelBuffer) {
  struct Case {
    std::size_t bytes;
    std::uint32_t width;
    std::uint32_t height;
    bool shown;
  };
  for (const Case& c : {Case{4 * 6, 2, 3, true}, Case{4 * 6 - 1, 2, 3, false}, Case{0, 0, 0, false},
                        Case{64, 0xffffffffu, 0xffffffffu, false}, Case{4 * 6 + 100, 2, 3, true}}) {
    auto image = make<ui::Image>();
    image->pixels = std::make_shared<ui::Bytes>(c.bytes, 0x80);
    image->width = c.width;
    image->height = c.height;
    auto widget = realized(*image);
    auto* view = dynamic_cast<ImageView*>(widget.get());
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->has_image(), c.shown) << c.bytes << " " << c.width;
    widget->resize(180, 220);
    widget->grab();  // paints either way without touching memory it does not own
  }
}

TEST(Realize, ContainersTakeTheirSizesAndGapsHaveNoWidth) {
  auto fixed = make<ui::Container>();
  fixed->width = 260;
  fixed->height = 138;
  fixed->with_child(text("Preview unavailable"));
  auto widget = realized(*fixed);
  EXPECT_EQ(widget->minimumSize(), QSize(260, 138));
  EXPECT_EQ(widget->maximumSize(), QSize(260, 138));

  auto spacing = gap(14);
  auto gap_widget = realized(*spacing);
  EXPECT_EQ(gap_widget->minimumHeight(), 14);
  EXPECT_EQ(gap_widget->maximumHeight(), 14);
  EXPECT_EQ(gap_widget->minimumWidth(), 0);

  auto capped = make<ui::Container>();
  capped->max_width = 920;
  capped->card_look = true;
  capped->with_child(text("Card"));
  auto capped_widget = realized(*capped);
  EXPECT_EQ(capped_widget->maximumWidth(), 920);
  EXPECT_NE(dynamic_cast<Surface*>(capped_widget.get()), nullptr);
}

TEST(Realize, OnlyTheOutermostScrollableScrollsAndPadsThePage) {
  auto tree = scrollable(column(scrollable(text("inner"))));
  auto widget = realized(*tree);
  auto* outer = qobject_cast<QScrollArea*>(widget.get());
  ASSERT_NE(outer, nullptr);
  EXPECT_GT(outer->widget()->layout()->contentsMargins().left(), 0);
  // An inner area would squeeze its part of the page to a sliver.
  EXPECT_TRUE(widget->findChildren<QScrollArea*>().isEmpty());
  auto labels = widget->findChildren<QLabel*>();
  ASSERT_FALSE(labels.isEmpty());
  EXPECT_EQ(labels.front()->text(), "inner");
}

}  // namespace
}  // namespace qthost
