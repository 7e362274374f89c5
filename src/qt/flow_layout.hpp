#pragma once
// A layout that places items left to right and wraps them onto new lines when
// the width runs out. Qt's box layouts never wrap, so a row of buttons would
// otherwise widen the whole window; this one reports heightForWidth so a
// narrow window grows taller instead.
//
// Two modes: a flowing row (items keep their own widths, flexible spacers
// share what is left of a line) and a card grid (every item gets one width
// between a minimum and a maximum, as many per line as fit).

#include <QLayout>
#include <QList>
#include <optional>

namespace qthost {

class FlowLayout final : public QLayout {
 public:
  FlowLayout(QWidget* parent, int horizontal_spacing, int vertical_spacing);
  ~FlowLayout() override;

  // Switches to card-grid placement.
  void set_card_widths(int min_width, int max_width);
  // A spacer that takes the free width of its line.
  void add_flexible_space();

  void addItem(QLayoutItem* item) override;
  int count() const override;
  QLayoutItem* itemAt(int index) const override;
  QLayoutItem* takeAt(int index) override;
  Qt::Orientations expandingDirections() const override;
  bool hasHeightForWidth() const override { return true; }
  int heightForWidth(int width) const override;
  QSize minimumSize() const override;
  QSize sizeHint() const override;
  void setGeometry(const QRect& rect) override;
  void invalidate() override;

 private:
  struct CardWidths {
    int min = 0;
    int max = 0;
  };
  // Places the items within `rect` (or only measures when `apply` is false)
  // and returns the height used.
  int arrange(const QRect& rect, bool apply) const;
  int arrange_flow(const QRect& rect, bool apply) const;
  int arrange_grid(const QRect& rect, bool apply) const;

  QList<QLayoutItem*> items_;
  int horizontal_spacing_;
  int vertical_spacing_;
  std::optional<CardWidths> card_widths_;
  mutable int cached_width_ = -1;
  mutable int cached_height_ = -1;
};

}  // namespace qthost
