#include "qt/realizer.hpp"

#include <QHBoxLayout>
#include <QLabel>
#include <QScrollArea>
#include <QVBoxLayout>
#include <algorithm>
#include <unordered_map>
#include <vector>

#include "qt/action_button.hpp"
#include "qt/busy_bar.hpp"
#include "qt/choice_box.hpp"
#include "qt/crop_editor.hpp"
#include "qt/fingerprint.hpp"
#include "qt/flow_layout.hpp"
#include "qt/icons.hpp"
#include "qt/image_view.hpp"
#include "qt/number_input.hpp"
#include "qt/page_preview.hpp"
#include "qt/segmented_control.hpp"
#include "qt/surface.hpp"
#include "qt/switch_button.hpp"
#include "qt/text_label.hpp"
#include "qt/theme.hpp"
#include "ui/widgets.hpp"

namespace qthost {
namespace {

constexpr int kRowSpacing = 8;
constexpr int kCardPadding = 16;
constexpr int kCardGridSpacing = 16;
constexpr int kDefaultCardWidth = 280;
constexpr int kPagePaddingX = 24;
constexpr int kPagePaddingY = 20;
constexpr int kDefaultIconSize = 24;
// Inside a scrollable a page is not padded again: the same content realizes
// differently there, so it is told apart for reuse.
constexpr Fingerprint kInsideScrollable = 0x2545f4914f6cdd1dULL;

QString qstr(const std::string& text) { return QString::fromStdString(text); }

// Controls that keep their natural width inside a column instead of
// stretching across it.
bool keeps_natural_width(ui::Kind kind) {
  switch (kind) {
    case ui::Kind::Button:
    case ui::Kind::Icon:
    case ui::Kind::Toggle:
    case ui::Kind::NumberInput:
      return true;
    default:
      return false;
  }
}

QVBoxLayout* bare_column(QWidget* owner, int margin = 0) {
  auto* layout = new QVBoxLayout(owner);
  layout->setContentsMargins(margin, margin, margin, margin);
  layout->setSpacing(0);
  return layout;
}

class Realizer {
 public:
  Realizer(const ui::Widget& tree, const RealizeOptions& options, const Realization* previous)
      : options_(options) {
    fingerprint(tree, table_);
    if (previous && previous->root)
      plan_reuse(tree, ReusePool(previous->root, previous->fingerprints));
  }

  QWidget* build(const ui::Widget& widget) {
    if (auto claim = claims_.find(&widget); claim != claims_.end()) {
      if (rebind_controls(*claim->second, widget)) {
        ++result_.reused;
        taken_.push_back(claim->second);
        return claim->second;
      }
    }
    QWidget* fresh = build_fresh(widget);
    ++result_.created;
    result_.fingerprints.insert(fresh, key_of(widget, scroll_depth_ > 0));
    return fresh;
  }

  // Decides which old widgets the new tree takes over, larger parts first:
  // level by level from the root, so a small part (one of fifty identical
  // page previews) is never taken out of a card that could be kept whole.
  void plan_reuse(const ui::Widget& tree, ReusePool pool) {
    struct Pending {
      const ui::Widget* node;
      bool inside_scrollable;
    };
    std::vector<Pending> level{{&tree, false}};
    while (!level.empty()) {
      std::vector<Pending> next;
      for (const Pending& pending : level) {
        const ui::Widget& node = *pending.node;
        if (node.kind() != ui::Kind::Spacer) {
          if (QWidget* old = pool.claim(key_of(node, pending.inside_scrollable))) {
            claims_.emplace(&node, old);
            continue;
          }
        }
        const bool inside = pending.inside_scrollable || node.kind() == ui::Kind::Scrollable;
        for (const ui::Widget* child : node.children()) {
          if (child) next.push_back({child, inside});
        }
      }
      level = std::move(next);
    }
  }

  Fingerprint key_of(const ui::Widget& widget, bool inside_scrollable) const {
    return table_.at(&widget) ^ (inside_scrollable ? kInsideScrollable : 0);
  }

  Realization finish(QWidget* root, const Realization* previous) {
    result_.root = root;
    // Taken-over widgets keep the fingerprints of their whole subtree.
    if (previous) {
      for (auto it = previous->fingerprints.constBegin(); it != previous->fingerprints.constEnd();
           ++it) {
        QWidget* widget = it.key();
        if (widget == root || root->isAncestorOf(widget)) {
          result_.fingerprints.insert(widget, it.value());
        }
      }
    }
    // Moving a widget to a new parent hides it; it was showing before.
    for (QWidget* widget : taken_) {
      if (widget != root) widget->setVisible(true);
    }
    return std::move(result_);
  }

 private:
  QWidget* build_fresh(const ui::Widget& widget) {
    switch (widget.kind()) {
      case ui::Kind::Column:
        return column(widget.children());
      case ui::Kind::Row:
        return row(widget.children());
      case ui::Kind::Container:
        return container(static_cast<const ui::Container&>(widget));
      case ui::Kind::Scrollable:
        return scrollable(static_cast<const ui::Scrollable&>(widget));
      case ui::Kind::Spacer:
        return spacer();
      case ui::Kind::Text:
        return text(static_cast<const ui::Text&>(widget));
      case ui::Kind::Button:
        return button(static_cast<const ui::Button&>(widget));
      case ui::Kind::Banner:
        return banner(static_cast<const ui::Banner&>(widget));
      case ui::Kind::Card:
        return card(static_cast<const ui::Card&>(widget));
      case ui::Kind::CardGrid:
        return card_grid(static_cast<const ui::CardGrid&>(widget));
      case ui::Kind::ProgressBar:
        return progress(static_cast<const ui::ProgressBar&>(widget));
      case ui::Kind::PagePreview: {
        const auto& preview = static_cast<const ui::PagePreview&>(widget);
        return make_page_preview(preview.label, preview.page, preview.page_count);
      }
      case ui::Kind::Icon:
        return icon_label(static_cast<const ui::Icon&>(widget));
      case ui::Kind::Image:
        return new ImageView(static_cast<const ui::Image&>(widget));
      case ui::Kind::ImageCropEditor:
        return new CropEditor(static_cast<const ui::ImageCropEditor&>(widget),
                              options_.after_input);
      case ui::Kind::Toggle:
        return toggle(static_cast<const ui::Toggle&>(widget));
      case ui::Kind::ToggleGroup:
        return toggle_group(static_cast<const ui::ToggleGroup&>(widget));
      case ui::Kind::Dropdown:
        return new ChoiceBox(static_cast<const ui::Dropdown&>(widget), options_.after_input);
      case ui::Kind::NumberInput:
        return make_number_input(static_cast<const ui::NumberInput&>(widget), options_.after_input);
      case ui::Kind::Divider:
        return divider();
      case ui::Kind::Custom:
        break;
    }
    // An application widget: show what it holds, in order.
    return column(widget.children());
  }

  QWidget* column(const std::vector<const ui::Widget*>& children) {
    auto* box = new QWidget;
    auto* layout = bare_column(box);
    for (const ui::Widget* child : children) add_to_column(*layout, child);
    return box;
  }

  void add_to_column(QVBoxLayout& layout, const ui::Widget* child) {
    if (!child) return;
    if (child->kind() == ui::Kind::Spacer) {
      layout.addStretch(1);
      return;
    }
    QWidget* realized = build(*child);
    layout.addWidget(realized, 0,
                     keeps_natural_width(child->kind()) ? Qt::AlignLeft : Qt::Alignment());
  }

  QWidget* row(const std::vector<const ui::Widget*>& children) {
    auto* box = new QWidget;
    auto* layout = new FlowLayout(box, kRowSpacing, kRowSpacing);
    for (const ui::Widget* child : children) {
      if (!child) continue;
      if (child->kind() == ui::Kind::Spacer) {
        layout->add_flexible_space();
      } else {
        layout->addWidget(build(*child));
      }
    }
    return box;
  }

  QWidget* container(const ui::Container& container) {
    QWidget* box = container.card_look ? new Surface(Surface::Look::Card) : new QWidget;
    if (const ui::Widget* child = container.child()) {
      auto* layout = bare_column(box, container.card_look ? kCardPadding : 0);
      add_to_column(*layout, child);
    }
    if (container.width) box->setFixedWidth(std::max(0, *container.width));
    if (container.height) box->setFixedHeight(std::max(0, *container.height));
    if (container.max_width) {
      box->setMaximumWidth(std::max(0, *container.max_width));
      box->setSizePolicy(QSizePolicy::Expanding, box->sizePolicy().verticalPolicy());
    }
    if (!container.child() && !container.width) {
      // A gap: height only, no width of its own.
      box->setMinimumWidth(0);
      box->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    }
    return box;
  }

  QWidget* scrollable(const ui::Scrollable& scrollable) {
    if (scroll_depth_ > 0) {
      // The outer area already scrolls the page; a second area inside it
      // would only squeeze its part to a sliver. Show the content whole.
      auto* page = new QWidget;
      auto* layout = bare_column(page);
      ++scroll_depth_;
      add_to_column(*layout, scrollable.child());
      --scroll_depth_;
      return page;
    }
    auto* area = new QScrollArea;
    area->setFrameShape(QFrame::NoFrame);
    area->setWidgetResizable(true);
    area->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    area->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    const bool outermost = scroll_depth_ == 0;
    ++scroll_depth_;
    auto* page = new QWidget;
    auto* layout = bare_column(page);
    if (outermost) {
      layout->setContentsMargins(kPagePaddingX, kPagePaddingY, kPagePaddingX, kPagePaddingY);
    }
    add_to_column(*layout, scrollable.child());
    layout->addStretch(0);
    --scroll_depth_;
    area->setWidget(page);
    page->setAutoFillBackground(false);
    area->viewport()->setAutoFillBackground(false);
    return area;
  }

  QWidget* spacer() {
    auto* space = new QWidget;
    space->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    return space;
  }

  QWidget* text(const ui::Text& text) {
    auto* label = new TextLabel(qstr(text.text), text.size, text.heavy);
    if (text.secondary) theme::use_secondary_text(*label);
    return label;
  }

  QWidget* button(const ui::Button& button) {
    return new ActionButton(button, options_.after_input);
  }

  QWidget* banner(const ui::Banner& banner) {
    auto* surface = new Surface(Surface::look_for(banner.tone));
    surface->setAccessibleName(qstr(banner.title));
    auto* layout = bare_column(surface);
    layout->setContentsMargins(20, 12, 16, 12);
    layout->setSpacing(2);
    auto* title = new TextLabel(qstr(banner.title), 15, true, surface);
    layout->addWidget(title);
    if (banner.detail) {
      surface->setAccessibleDescription(qstr(*banner.detail));
      auto* detail = new TextLabel(qstr(*banner.detail), 14, false, surface);
      layout->addWidget(detail);
    }
    return surface;
  }

  QWidget* card(const ui::Card& card) {
    auto* surface = new Surface(Surface::Look::Card);
    auto* layout = bare_column(surface, kCardPadding);
    layout->setSpacing(12);
    if (card.title || card.action) {
      auto* header = new QHBoxLayout;
      header->setSpacing(kRowSpacing);
      if (card.title) {
        surface->setAccessibleName(qstr(*card.title));
        auto* title = new TextLabel(qstr(*card.title), 17, true, surface);
        header->addWidget(title, 1);
      } else {
        header->addStretch(1);
      }
      if (card.action) header->addWidget(build(*card.action), 0, Qt::AlignTop);
      layout->addLayout(header);
    }
    if (card.content) add_to_column(*layout, card.content.get());
    return surface;
  }

  QWidget* card_grid(const ui::CardGrid& grid) {
    auto* box = new QWidget;
    auto* layout = new FlowLayout(box, kCardGridSpacing, kCardGridSpacing);
    const int min_width = grid.min_card_width > 0 ? grid.min_card_width : kDefaultCardWidth;
    layout->set_card_widths(min_width, std::max(min_width, grid.max_card_width));
    for (const ui::Widget* card : grid.children()) {
      if (card) layout->addWidget(build(*card));
    }
    return box;
  }

  QWidget* progress(const ui::ProgressBar& bar) {
    auto* busy = new BusyBar(bar.fraction, options_.frozen);
    busy->setAccessibleName(qstr(bar.label));
    busy->setToolTip(qstr(bar.label));
    return busy;
  }

  QWidget* icon_label(const ui::Icon& icon) {
    const int size = icon.size > 0 ? std::min(icon.size, 512) : kDefaultIconSize;
    auto* label = new QLabel;
    label->setPixmap(icon_pixmap(icon.number, size, label->devicePixelRatioF()));
    label->setFixedSize(size, size);
    return label;
  }

  QWidget* toggle(const ui::Toggle& toggle) {
    auto* control = new SwitchButton(toggle.value, options_.after_input);
    if (!toggle.label.empty()) control->setAccessibleName(qstr(toggle.label));
    return control;
  }

  QWidget* toggle_group(const ui::ToggleGroup& group) {
    auto* control =
        new SegmentedControl(group.id, group.options, group.selected, options_.after_input);
    control->setObjectName(qstr(group.id));
    control->setAccessibleName(qstr(group.label));
    return control;
  }

  QWidget* divider() {
    auto* line = new QWidget;
    line->setFixedHeight(1);
    line->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    line->setAutoFillBackground(true);
    QPalette palette = line->palette();
    palette.setColor(QPalette::Window, theme::kSurfaceBorder);
    line->setPalette(palette);
    return line;
  }

  const RealizeOptions& options_;
  FingerprintTable table_;
  std::unordered_map<const ui::Widget*, QWidget*> claims_;
  std::vector<QWidget*> taken_;
  Realization result_;
  int scroll_depth_ = 0;
};

}  // namespace

Realization realize_tree(const ui::Widget& tree, const RealizeOptions& options,
                         const Realization* previous) {
  Realizer realizer(tree, options, previous);
  QWidget* root = realizer.build(tree);
  return realizer.finish(root, previous);
}

QWidget* realize(const ui::Widget& widget, const RealizeOptions& options) {
  return realize_tree(widget, options, nullptr).root;
}

void pull_bound_values(QWidget& realized) {
  const auto widgets = realized.findChildren<QWidget*>();
  for (QWidget* widget : widgets) {
    if (auto* bound = dynamic_cast<BoundControl*>(widget)) bound->pull_from_cell();
  }
  if (auto* bound = dynamic_cast<BoundControl*>(&realized)) bound->pull_from_cell();
}

}  // namespace qthost
