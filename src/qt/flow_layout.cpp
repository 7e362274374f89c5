#include "qt/flow_layout.hpp"

#include <QSpacerItem>
#include <QWidget>
#include <algorithm>
#include <vector>

namespace qthost {
namespace {

// Items shorter than this are centred on their line (an icon next to a text);
// taller ones hang from the top so cards of different heights line up.
constexpr int kCentredHeightLimit = 64;

bool is_flexible_space(QLayoutItem* item) { return item->spacerItem() != nullptr; }

bool is_placed(QLayoutItem* item) { return is_flexible_space(item) || !item->isEmpty(); }

int height_at(QLayoutItem* item, int width) {
  const int min_h = item->minimumSize().height();
  const int max_h = item->maximumSize().height();
  int h = 0;
  if (item->hasHeightForWidth()) {
    h = item->heightForWidth(width);
  } else if (item->expandingDirections() & Qt::Vertical) {
    // A scroll area or similar: natural height is its minimum; spare height
    // of the layout goes to it later.
    h = min_h;
  } else {
    h = item->sizeHint().height();
  }
  return std::clamp(h, min_h, std::max(min_h, max_h));
}

struct Slot {
  QLayoutItem* item = nullptr;
  bool flexible = false;
  int min_w = 0;
  int pref_w = 0;
  int max_w = 0;
  bool grows = false;
  int w = 0;
  int h = 0;
};

struct Line {
  std::vector<Slot> entries;
  int height = 0;
  bool expands_vertically = false;
  int solid_count() const {
    return static_cast<int>(
        std::count_if(entries.begin(), entries.end(), [](const Slot& s) { return !s.flexible; }));
  }
};

// Hands `amount` out evenly to the entries that `room` says can still take it.
template <typename Room>
int share_out(std::vector<Slot>& entries, int amount, Room room) {
  while (amount > 0) {
    int takers = 0;
    for (auto& slot : entries) takers += room(slot) > 0 ? 1 : 0;
    if (takers == 0) break;
    const int each = std::max(1, amount / takers);
    for (auto& slot : entries) {
      const int give = std::min({each, room(slot), amount});
      if (give <= 0) continue;
      slot.w += give;
      amount -= give;
      if (amount == 0) break;
    }
  }
  return amount;
}

}  // namespace

FlowLayout::FlowLayout(QWidget* parent, int horizontal_spacing, int vertical_spacing)
    : QLayout(parent),
      horizontal_spacing_(horizontal_spacing),
      vertical_spacing_(vertical_spacing) {
  setContentsMargins(0, 0, 0, 0);
}

FlowLayout::~FlowLayout() {
  while (QLayoutItem* item = takeAt(0)) delete item;
}

void FlowLayout::set_card_widths(int min_width, int max_width) {
  min_width = std::max(1, min_width);
  card_widths_ = CardWidths{min_width, std::max(min_width, max_width)};
  invalidate();
}

void FlowLayout::add_flexible_space() {
  addItem(new QSpacerItem(0, 0, QSizePolicy::Expanding, QSizePolicy::Minimum));
}

void FlowLayout::addItem(QLayoutItem* item) {
  items_.append(item);
  invalidate();
}

int FlowLayout::count() const { return static_cast<int>(items_.size()); }

QLayoutItem* FlowLayout::itemAt(int index) const {
  return index >= 0 && index < items_.size() ? items_.at(index) : nullptr;
}

QLayoutItem* FlowLayout::takeAt(int index) {
  if (index < 0 || index >= items_.size()) return nullptr;
  invalidate();
  return items_.takeAt(index);
}

Qt::Orientations FlowLayout::expandingDirections() const {
  Qt::Orientations directions;
  for (QLayoutItem* item : items_) {
    if (!is_flexible_space(item) && !item->isEmpty()) directions |= item->expandingDirections();
  }
  if (card_widths_) directions |= Qt::Horizontal;
  return directions;
}

void FlowLayout::invalidate() {
  cached_width_ = -1;
  QLayout::invalidate();
}

int FlowLayout::heightForWidth(int width) const {
  if (width != cached_width_) {
    cached_height_ = arrange(QRect(0, 0, width, 0), false);
    cached_width_ = width;
  }
  return cached_height_;
}

QSize FlowLayout::minimumSize() const {
  QSize size;
  for (QLayoutItem* item : items_) {
    if (is_flexible_space(item) || item->isEmpty()) continue;
    size = size.expandedTo(item->minimumSize());
  }
  if (card_widths_) size.setWidth(std::min(size.width(), card_widths_->min));
  const QMargins m = contentsMargins();
  return size + QSize(m.left() + m.right(), m.top() + m.bottom());
}

QSize FlowLayout::sizeHint() const {
  int width = 0;
  int height = 0;
  int solid = 0;
  for (QLayoutItem* item : items_) {
    if (is_flexible_space(item) || item->isEmpty()) continue;
    const QSize hint = item->sizeHint();
    width += card_widths_ ? card_widths_->min : hint.width();
    height = std::max(height, hint.height());
    ++solid;
  }
  if (solid > 1) width += (solid - 1) * horizontal_spacing_;
  const QMargins m = contentsMargins();
  return QSize(width + m.left() + m.right(), height + m.top() + m.bottom());
}

void FlowLayout::setGeometry(const QRect& rect) {
  QLayout::setGeometry(rect);
  arrange(rect, true);
}

int FlowLayout::arrange(const QRect& rect, bool apply) const {
  const QMargins m = contentsMargins();
  const QRect inner = rect.marginsRemoved(m);
  const int used = card_widths_ ? arrange_grid(inner, apply) : arrange_flow(inner, apply);
  return used + m.top() + m.bottom();
}

int FlowLayout::arrange_flow(const QRect& rect, bool apply) const {
  const int available = std::max(0, rect.width());
  std::vector<Line> lines(1);
  std::vector<int> line_mins(1, 0);
  for (QLayoutItem* item : items_) {
    if (!is_placed(item)) continue;
    Slot slot;
    slot.item = item;
    slot.flexible = is_flexible_space(item);
    if (!slot.flexible) {
      slot.min_w = item->minimumSize().width();
      slot.max_w = std::max(slot.min_w, item->maximumSize().width());
      slot.pref_w = std::clamp(item->sizeHint().width(), slot.min_w, slot.max_w);
      slot.grows = (item->expandingDirections() & Qt::Horizontal) != 0;
      const bool has_solid = lines.back().solid_count() > 0;
      const int spacing = has_solid ? horizontal_spacing_ : 0;
      if (has_solid && line_mins.back() + spacing + slot.min_w > available) {
        lines.emplace_back();
        line_mins.push_back(slot.min_w);
      } else {
        line_mins.back() += spacing + slot.min_w;
      }
    }
    lines.back().entries.push_back(slot);
  }

  int total = 0;
  int placed_lines = 0;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    Line& line = lines[i];
    int free = available - line_mins[i];
    for (Slot& slot : line.entries) slot.w = slot.min_w;
    if (free > 0) {
      free = share_out(line.entries, free, [](const Slot& s) { return s.pref_w - s.w; });
      free =
          share_out(line.entries, free, [](const Slot& s) { return s.grows ? s.max_w - s.w : 0; });
      share_out(line.entries, free, [free](const Slot& s) { return s.flexible ? free : 0; });
    }
    for (Slot& slot : line.entries) {
      if (slot.flexible) continue;
      slot.h = height_at(slot.item, slot.w);
      line.height = std::max(line.height, slot.h);
      if (slot.item->expandingDirections() & Qt::Vertical) line.expands_vertically = true;
    }
    if (line.solid_count() == 0) continue;
    total += line.height + (placed_lines > 0 ? vertical_spacing_ : 0);
    ++placed_lines;
  }
  if (!apply) return total;

  int spare = std::max(0, rect.height() - total);
  const auto growing_lines = std::count_if(lines.begin(), lines.end(), [](const Line& l) {
    return l.expands_vertically && l.solid_count() > 0;
  });
  int y = rect.top();
  bool first_line = true;
  for (Line& line : lines) {
    if (line.solid_count() == 0) continue;
    if (!first_line) y += vertical_spacing_;
    first_line = false;
    if (line.expands_vertically && growing_lines > 0) {
      const int extra = spare / static_cast<int>(growing_lines);
      line.height += extra;
    }
    int x = rect.left();
    bool first_solid = true;
    for (Slot& slot : line.entries) {
      if (slot.flexible) {
        slot.item->setGeometry(QRect(x, y, slot.w, 0));
        x += slot.w;
        continue;
      }
      if (!first_solid) x += horizontal_spacing_;
      first_solid = false;
      int h = slot.h;
      int offset = 0;
      if (slot.item->expandingDirections() & Qt::Vertical) {
        h = std::min(line.height, std::max(h, slot.item->maximumSize().height()));
      } else if (h <= kCentredHeightLimit) {
        offset = (line.height - h) / 2;
      }
      slot.item->setGeometry(QRect(x, y + offset, slot.w, h));
      x += slot.w;
    }
    y += line.height;
  }
  return total;
}

int FlowLayout::arrange_grid(const QRect& rect, bool apply) const {
  std::vector<QLayoutItem*> cards;
  for (QLayoutItem* item : items_) {
    if (!is_flexible_space(item) && !item->isEmpty()) cards.push_back(item);
  }
  if (cards.empty()) return 0;
  const int available = std::max(1, rect.width());
  const int spacing = horizontal_spacing_;
  int columns = std::max(1, (available + spacing) / (card_widths_->min + spacing));
  columns = std::min(columns, static_cast<int>(cards.size()));
  int width = (available - spacing * (columns - 1)) / columns;
  width = std::clamp(width, 1, card_widths_->max);

  int y = rect.top();
  for (std::size_t first = 0; first < cards.size(); first += columns) {
    const std::size_t last = std::min(cards.size(), first + columns);
    int row_height = 0;
    for (std::size_t i = first; i < last; ++i)
      row_height = std::max(row_height, height_at(cards[i], width));
    if (first > 0) y += vertical_spacing_;
    if (apply) {
      int x = rect.left();
      for (std::size_t i = first; i < last; ++i) {
        cards[i]->setGeometry(QRect(x, y, width, row_height));
        x += width + spacing;
      }
    }
    y += row_height;
  }
  return y - rect.top();
}

}  // namespace qthost
