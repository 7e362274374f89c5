#include "qt/crop_editor.hpp"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "qt/theme.hpp"

namespace qthost {
namespace {

constexpr int kMargin = 8;
constexpr qreal kHandleReach = 10.0;
constexpr qreal kClickDistance = 4.0;

double unit(double value, double fallback) {
  return std::isfinite(value) ? std::clamp(value, 0.0, 1.0) : fallback;
}

// Orders two edges and widens them to the minimum span without leaving 0..1.
void fix_span(double& low, double& high) {
  if (low > high) std::swap(low, high);
  if (high - low >= kMinimumCropSpan) return;
  high = std::min(1.0, low + kMinimumCropSpan);
  low = std::max(0.0, high - kMinimumCropSpan);
}

// Moves one edge, keeping the minimum span to the opposite edge.
double moved_low_edge(double wanted, double high) {
  return std::clamp(wanted, 0.0, high - kMinimumCropSpan);
}
double moved_high_edge(double wanted, double low) {
  return std::clamp(wanted, low + kMinimumCropSpan, 1.0);
}

}  // namespace

ui::CropSelection sanitized(ui::CropSelection s) {
  s.left = unit(s.left, 0.0);
  s.top = unit(s.top, 0.0);
  s.right = unit(s.right, 1.0);
  s.bottom = unit(s.bottom, 1.0);
  fix_span(s.left, s.right);
  fix_span(s.top, s.bottom);
  return s;
}

CropEditor::CropEditor(const ui::ImageCropEditor& editor, AfterInput after_input, QWidget* parent)
    : QWidget(parent),
      image_(wrap_rgba(editor.pixels, editor.width, editor.height)),
      cell_(editor.selection),
      after_input_(std::move(after_input)) {
  setFocusPolicy(Qt::StrongFocus);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  setCursor(Qt::CrossCursor);
  setAccessibleName(QStringLiteral("Crop area"));
  setToolTip(QStringLiteral(
      "Drag to choose the area to keep. Arrow keys move it, Shift+arrows move the right and "
      "bottom edges, Ctrl+arrows move the left and top edges, Home selects the whole page."));
  describe();
}

void CropEditor::pull_from_cell() {
  describe();
  update();
}

bool CropEditor::rebind(const ui::Widget& model) {
  const auto* editor = dynamic_cast<const ui::ImageCropEditor*>(&model);
  if (!editor) return false;
  cell_ = editor->selection;
  pull_from_cell();
  return true;
}

ui::CropSelection CropEditor::current() const { return sanitized(cell_.get()); }

void CropEditor::write(ui::CropSelection selection) {
  selection = sanitized(selection);
  if (selection == cell_.get()) return;
  cell_.set(selection);
  describe();
  update();
  if (after_input_) after_input_();
}

void CropEditor::describe() {
  const ui::CropSelection s = current();
  auto percent = [](double v) { return QString::number(std::lround(v * 100)); };
  setAccessibleDescription(
      QStringLiteral("Left %1%, top %2%, right %3%, bottom %4%")
          .arg(percent(s.left), percent(s.top), percent(s.right), percent(s.bottom)));
}

QRect CropEditor::image_rect() const {
  return fit_rect(image_.size(), rect().adjusted(kMargin, kMargin, -kMargin, -kMargin));
}

QPointF CropEditor::to_fraction(QPointF position) const {
  const QRectF area = image_rect();
  if (area.isEmpty()) return {};
  return {std::clamp((position.x() - area.left()) / area.width(), 0.0, 1.0),
          std::clamp((position.y() - area.top()) / area.height(), 0.0, 1.0)};
}

QRectF CropEditor::to_widget(const ui::CropSelection& s) const {
  const QRectF area = image_rect();
  return QRectF(
      QPointF(area.left() + s.left * area.width(), area.top() + s.top * area.height()),
      QPointF(area.left() + s.right * area.width(), area.top() + s.bottom * area.height()));
}

unsigned CropEditor::edges_at(QPointF p) const {
  const QRectF box = to_widget(current());
  if (!box.adjusted(-kHandleReach, -kHandleReach, kHandleReach, kHandleReach).contains(p)) return 0;
  unsigned edges = 0;
  if (std::abs(p.x() - box.left()) <= kHandleReach) edges |= kLeft;
  if (std::abs(p.x() - box.right()) <= kHandleReach) edges |= kRight;
  if (std::abs(p.y() - box.top()) <= kHandleReach) edges |= kTop;
  if (std::abs(p.y() - box.bottom()) <= kHandleReach) edges |= kBottom;
  // A tiny area near both edges: prefer the nearer one of each pair.
  if ((edges & kLeft) && (edges & kRight)) {
    edges &= ~(std::abs(p.x() - box.left()) <= std::abs(p.x() - box.right()) ? kRight : kLeft);
  }
  if ((edges & kTop) && (edges & kBottom)) {
    edges &= ~(std::abs(p.y() - box.top()) <= std::abs(p.y() - box.bottom()) ? kBottom : kTop);
  }
  return edges;
}

void CropEditor::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  const QRect area = image_rect();
  if (image_.is_null() || area.isEmpty()) {
    painter.setPen(QPen(theme::kSurfaceBorder, 1, Qt::DashLine));
    painter.drawRect(rect().adjusted(kMargin, kMargin, -kMargin - 1, -kMargin - 1));
    return;
  }
  painter.drawPixmap(area.topLeft(), image_.at(area.size(), devicePixelRatioF()));

  const QRectF box = to_widget(current());
  QPainterPath outside;
  outside.addRect(area);
  QPainterPath inside;
  inside.addRect(box);
  painter.fillPath(outside.subtracted(inside), QColor(0, 0, 0, 140));

  const QColor line = hasFocus() ? theme::kAccent.lighter(130) : theme::kAccent;
  painter.setPen(QPen(line, hasFocus() ? 2.5 : 2.0));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(box);
  painter.setPen(Qt::NoPen);
  painter.setBrush(Qt::white);
  for (const QPointF& corner :
       {box.topLeft(), box.topRight(), box.bottomLeft(), box.bottomRight()}) {
    painter.drawEllipse(corner, 5, 5);
  }
}

void CropEditor::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || image_.is_null()) {
    QWidget::mousePressEvent(event);
    return;
  }
  setFocus(Qt::MouseFocusReason);
  const QPointF p = event->position();
  press_position_ = p;
  at_press_ = current();
  anchor_ = to_fraction(p);
  drag_edges_ = edges_at(p);
  if (drag_edges_ != 0) {
    drag_ = Drag::Edges;
  } else if (to_widget(at_press_).contains(p)) {
    drag_ = Drag::Move;
  } else {
    drag_ = Drag::NewArea;
  }
  event->accept();
}

void CropEditor::mouseMoveEvent(QMouseEvent* event) {
  if (drag_ == Drag::None) {
    QWidget::mouseMoveEvent(event);
    return;
  }
  const QPointF f = to_fraction(event->position());
  ui::CropSelection next = at_press_;
  switch (drag_) {
    case Drag::NewArea:
      if (QLineF(press_position_, event->position()).length() < kClickDistance) return;
      next = {std::min(anchor_.x(), f.x()), std::min(anchor_.y(), f.y()),
              std::max(anchor_.x(), f.x()), std::max(anchor_.y(), f.y())};
      break;
    case Drag::Move: {
      const double dx = std::clamp(f.x() - anchor_.x(), -at_press_.left, 1.0 - at_press_.right);
      const double dy = std::clamp(f.y() - anchor_.y(), -at_press_.top, 1.0 - at_press_.bottom);
      next = {at_press_.left + dx, at_press_.top + dy, at_press_.right + dx, at_press_.bottom + dy};
      break;
    }
    case Drag::Edges:
      if (drag_edges_ & kLeft) next.left = moved_low_edge(f.x(), next.right);
      if (drag_edges_ & kRight) next.right = moved_high_edge(f.x(), next.left);
      if (drag_edges_ & kTop) next.top = moved_low_edge(f.y(), next.bottom);
      if (drag_edges_ & kBottom) next.bottom = moved_high_edge(f.y(), next.top);
      break;
    case Drag::None:
      break;
  }
  write(next);
  event->accept();
}

void CropEditor::mouseReleaseEvent(QMouseEvent* event) {
  if (drag_ == Drag::None) {
    QWidget::mouseReleaseEvent(event);
    return;
  }
  mouseMoveEvent(event);
  drag_ = Drag::None;
  event->accept();
}

void CropEditor::keyPressEvent(QKeyEvent* event) {
  if (image_.is_null()) {
    QWidget::keyPressEvent(event);
    return;
  }
  if (event->key() == Qt::Key_Home) {
    write({0.0, 0.0, 1.0, 1.0});
    event->accept();
    return;
  }
  double dx = 0;
  double dy = 0;
  switch (event->key()) {
    case Qt::Key_Left:
      dx = -kKeyStep;
      break;
    case Qt::Key_Right:
      dx = kKeyStep;
      break;
    case Qt::Key_Up:
      dy = -kKeyStep;
      break;
    case Qt::Key_Down:
      dy = kKeyStep;
      break;
    default:
      QWidget::keyPressEvent(event);
      return;
  }
  ui::CropSelection s = current();
  const auto modifiers = event->modifiers();
  if (modifiers & Qt::ShiftModifier) {
    s.right = moved_high_edge(s.right + dx, s.left);
    s.bottom = moved_high_edge(s.bottom + dy, s.top);
  } else if (modifiers & Qt::ControlModifier) {
    s.left = moved_low_edge(s.left + dx, s.right);
    s.top = moved_low_edge(s.top + dy, s.bottom);
  } else {
    dx = std::clamp(dx, -s.left, 1.0 - s.right);
    dy = std::clamp(dy, -s.top, 1.0 - s.bottom);
    s = {s.left + dx, s.top + dy, s.right + dx, s.bottom + dy};
  }
  write(s);
  event->accept();
}

}  // namespace qthost
