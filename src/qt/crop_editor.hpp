#pragma once
// The image crop editor: shows the page, lets the user choose the area to
// keep by dragging (a new area, an edge or corner, or the whole area) or with
// the keyboard, and writes the choice into its cell as fractions of the
// page's width and height.
//
// Keyboard: arrows move the area; Shift+arrows move the right and bottom
// edges; Ctrl+arrows move the left and top edges; Home selects the whole page.

#include <QWidget>

#include "platform/cell.hpp"
#include "qt/bound_control.hpp"
#include "qt/rebindable.hpp"
#include "qt/rgba_image.hpp"

namespace qthost {

// Keeps a selection usable: every value finite and within 0 to 1, left
// before right and top before bottom, each span at least kMinimumCropSpan.
inline constexpr double kMinimumCropSpan = 0.05;
ui::CropSelection sanitized(ui::CropSelection selection);

class CropEditor final : public QWidget, public BoundControl, public Rebindable {
  Q_OBJECT

 public:
  static constexpr double kKeyStep = 0.01;

  CropEditor(const ui::ImageCropEditor& editor, AfterInput after_input, QWidget* parent = nullptr);

  void pull_from_cell() override;
  bool rebind(const ui::Widget& model) override;
  // Where the page is drawn inside the widget.
  QRect image_rect() const;
  bool has_image() const { return !image_.is_null(); }

  QSize sizeHint() const override { return QSize(280, 360); }
  QSize minimumSizeHint() const override { return QSize(80, 80); }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  enum Edge : unsigned { kLeft = 1, kTop = 2, kRight = 4, kBottom = 8 };
  enum class Drag { None, NewArea, Move, Edges };

  ui::CropSelection current() const;
  void write(ui::CropSelection selection);
  QPointF to_fraction(QPointF position) const;
  QRectF to_widget(const ui::CropSelection& selection) const;
  unsigned edges_at(QPointF position) const;
  void describe();

  ScaledImage image_;
  platform::Cell<ui::CropSelection> cell_;
  AfterInput after_input_;
  Drag drag_ = Drag::None;
  unsigned drag_edges_ = 0;
  QPointF press_position_;
  QPointF anchor_;
  ui::CropSelection at_press_;
};

}  // namespace qthost
