// The crop editor writes the area the user drags or keys in, as fractions.

#include <gtest/gtest.h>
#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <cmath>

#include "qt/crop_editor.hpp"
#include "tree.hpp"

namespace qthost {
namespace {

using ui::CropSelection;

constexpr double kTolerance = 0.01;

ui::SharedBytes white_pixels(std::uint32_t width, std::uint32_t height) {
  return std::make_shared<ui::Bytes>(std::size_t{width} * height * 4, 0xff);
}

struct Editor {
  explicit Editor(CropSelection initial = {}, std::uint32_t width = 200, std::uint32_t height = 200)
      : cell(initial) {
    ui::ImageCropEditor model;
    model.pixels = white_pixels(width, height);
    model.width = width;
    model.height = height;
    model.selection = cell;
    widget = std::make_unique<CropEditor>(model, [this] { ++inputs; });
    widget->resize(280, 360);
    widget->show();
  }

  // The widget position of a point given as fractions of the page.
  QPointF at(double fx, double fy) const {
    const QRectF area = widget->image_rect();
    return {area.left() + fx * area.width(), area.top() + fy * area.height()};
  }

  void send(QEvent::Type type, QPointF position, Qt::MouseButtons buttons) {
    QMouseEvent event(type, position, widget->mapToGlobal(position), Qt::LeftButton, buttons,
                      Qt::NoModifier);
    QApplication::sendEvent(widget.get(), &event);
  }

  void drag(QPointF from, QPointF to) {
    send(QEvent::MouseButtonPress, from, Qt::LeftButton);
    send(QEvent::MouseMove, (from + to) / 2, Qt::LeftButton);
    send(QEvent::MouseMove, to, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, to, Qt::NoButton);
  }

  platform::Cell<CropSelection> cell;
  int inputs = 0;
  std::unique_ptr<CropEditor> widget;
};

void expect_near(const CropSelection& got, const CropSelection& want, const char* what) {
  EXPECT_NEAR(got.left, want.left, kTolerance) << what;
  EXPECT_NEAR(got.top, want.top, kTolerance) << what;
  EXPECT_NEAR(got.right, want.right, kTolerance) << what;
  EXPECT_NEAR(got.bottom, want.bottom, kTolerance) << what;
}

TEST(CropEditor, DraggingWritesTheSelectionInFractions) {
  struct Case {
    const char* what;
    CropSelection before;
    QPointF from;  // fractions of the page
    QPointF to;
    CropSelection after;
  };
  const Case cases[] = {
      {"new area, dragged down-right",
       {0.6, 0.6, 0.9, 0.9},
       {0.25, 0.25},
       {0.75, 0.5},
       {0.25, 0.25, 0.75, 0.5}},
      {"new area, dragged up-left",
       {0.4, 0.4, 0.6, 0.6},
       {0.8, 0.9},
       {0.1, 0.2},
       {0.1, 0.2, 0.8, 0.9}},
      {"new area beyond the page is clamped",
       {0.4, 0.4, 0.6, 0.6},
       {0.2, 0.1},
       {1.6, 1.4},
       {0.2, 0.1, 1.0, 1.0}},
      {"moving the whole area", {0.2, 0.2, 0.4, 0.4}, {0.3, 0.3}, {0.5, 0.6}, {0.4, 0.5, 0.6, 0.7}},
      {"moving stops at the page edge",
       {0.2, 0.2, 0.4, 0.4},
       {0.3, 0.3},
       {0.9, 0.3},
       {0.8, 0.2, 1.0, 0.4}},
      {"dragging the right edge",
       {0.0, 0.0, 1.0, 1.0},
       {1.0, 0.5},
       {0.6, 0.5},
       {0.0, 0.0, 0.6, 1.0}},
      {"dragging the top-left corner",
       {0.0, 0.0, 1.0, 1.0},
       {0.0, 0.0},
       {0.3, 0.2},
       {0.3, 0.2, 1.0, 1.0}},
      {"an edge cannot pass the minimum span",
       {0.2, 0.2, 0.6, 0.6},
       {0.6, 0.4},
       {0.05, 0.4},
       {0.2, 0.2, 0.25, 0.6}},
      {"a tiny new area is widened to the minimum span",
       {0.0, 0.0, 0.3, 0.3},
       {0.5, 0.5},
       {0.52, 0.53},
       {0.5, 0.5, 0.55, 0.55}},
  };
  for (const Case& c : cases) {
    Editor editor(c.before);
    editor.drag(editor.at(c.from.x(), c.from.y()), editor.at(c.to.x(), c.to.y()));
    expect_near(editor.cell.get(), c.after, c.what);
    EXPECT_GT(editor.inputs, 0) << c.what;
  }
}

TEST(CropEditor, AClickWithoutDraggingKeepsTheSelection) {
  const CropSelection before{0.2, 0.2, 0.4, 0.4};
  Editor editor(before);
  const QPointF outside = editor.at(0.8, 0.8);
  editor.drag(outside, outside + QPointF(1, 1));
  EXPECT_EQ(editor.cell.get(), before);
  EXPECT_EQ(editor.inputs, 0);
}

TEST(CropEditor, KeyboardMovesAndResizesTheSelection) {
  struct Case {
    const char* what;
    CropSelection before;
    int key;
    Qt::KeyboardModifiers modifiers;
    CropSelection after;
  };
  const Case cases[] = {
      {"right moves the area",
       {0.2, 0.2, 0.4, 0.4},
       Qt::Key_Right,
       Qt::NoModifier,
       {0.21, 0.2, 0.41, 0.4}},
      {"up moves the area",
       {0.2, 0.2, 0.4, 0.4},
       Qt::Key_Up,
       Qt::NoModifier,
       {0.2, 0.19, 0.4, 0.39}},
      {"the area stays on the page",
       {0.5, 0.5, 1.0, 1.0},
       Qt::Key_Down,
       Qt::NoModifier,
       {0.5, 0.5, 1.0, 1.0}},
      {"shift+left moves the right edge",
       {0.2, 0.2, 0.4, 0.4},
       Qt::Key_Left,
       Qt::ShiftModifier,
       {0.2, 0.2, 0.39, 0.4}},
      {"ctrl+down moves the top edge",
       {0.2, 0.2, 0.4, 0.4},
       Qt::Key_Down,
       Qt::ControlModifier,
       {0.2, 0.21, 0.4, 0.4}},
      {"home selects the whole page",
       {0.2, 0.2, 0.4, 0.4},
       Qt::Key_Home,
       Qt::NoModifier,
       {0.0, 0.0, 1.0, 1.0}},
  };
  for (const Case& c : cases) {
    Editor editor(c.before);
    editor.widget->setFocus();
    QTest::keyClick(editor.widget.get(), static_cast<Qt::Key>(c.key), c.modifiers);
    expect_near(editor.cell.get(), c.after, c.what);
  }
}

TEST(CropEditor, EditorIsReachableByKeyboardAndDescribesItsArea) {
  Editor editor({0.1, 0.2, 0.9, 1.0});
  EXPECT_EQ(editor.widget->focusPolicy(), Qt::StrongFocus);
  EXPECT_EQ(editor.widget->accessibleName(), "Crop area");
  EXPECT_EQ(editor.widget->accessibleDescription(), "Left 10%, top 20%, right 90%, bottom 100%");
}

TEST(CropEditor, SelectionsAreKeptUsable) {
  const double nan = std::nan("");
  const double inf = std::numeric_limits<double>::infinity();
  struct Case {
    const char* what;
    CropSelection in;
    CropSelection out;
  };
  const Case cases[] = {
      {"whole page", {0, 0, 1, 1}, {0, 0, 1, 1}},
      {"not a number", {nan, nan, nan, nan}, {0, 0, 1, 1}},
      {"infinities", {-inf, 0.1, inf, 0.9}, {0, 0.1, 1, 0.9}},
      {"negative and above one", {-0.5, -1, 1.5, 2}, {0, 0, 1, 1}},
      {"inverted", {0.8, 0.9, 0.2, 0.1}, {0.2, 0.1, 0.8, 0.9}},
      {"too narrow", {0.5, 0.5, 0.51, 0.5}, {0.5, 0.5, 0.55, 0.55}},
      {"too narrow at the far edge", {1.0, 0.97, 1.0, 1.0}, {0.95, 0.95, 1.0, 1.0}},
  };
  for (const Case& c : cases) {
    const CropSelection got = sanitized(c.in);
    expect_near(got, c.out, c.what);
    EXPECT_GE(got.right - got.left, kMinimumCropSpan - 1e-9) << c.what;
    EXPECT_GE(got.bottom - got.top, kMinimumCropSpan - 1e-9) << c.what;
  }
}

TEST(CropEditor, ABrokenPixelBufferShowsNoPageAndIgnoresInput) {
  platform::Cell<CropSelection> cell(CropSelection{0.2, 0.2, 0.4, 0.4});
  ui::ImageCropEditor model;
  model.pixels = std::make_shared<ui::Bytes>(100);  // far shorter than 200 x 200 x 4
  model.width = 200;
  model.height = 200;
  model.selection = cell;
  CropEditor editor(model, {});
  editor.resize(280, 360);
  editor.show();
  EXPECT_FALSE(editor.has_image());
  QTest::keyClick(&editor, Qt::Key_Home);
  QTest::mouseClick(&editor, Qt::LeftButton, {}, QPoint(100, 100));
  editor.grab();  // paints without the page
  EXPECT_EQ(cell.get(), (CropSelection{0.2, 0.2, 0.4, 0.4}));
}

}  // namespace
}  // namespace qthost
