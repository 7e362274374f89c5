#include "qt/segmented_control.hpp"

#include <QAbstractButton>
#include <QPushButton>

#include "qt/flow_layout.hpp"
#include "qt/theme.hpp"
#include "ui/widgets.hpp"

namespace qthost {

SegmentedControl::SegmentedControl(const std::string& id, const std::vector<std::string>& options,
                                   platform::Cell<std::size_t> cell, const AfterInput& after_input,
                                   QWidget* parent)
    : QWidget(parent),
      group_(new QButtonGroup(this)),
      option_count_(options.size()),
      cell_(std::move(cell)) {
  auto* layout = new FlowLayout(this, 4, 4);
  group_->setExclusive(true);
  for (std::size_t i = 0; i < options.size(); ++i) {
    auto* button = new QPushButton(QString::fromStdString(options[i]), this);
    button->setCheckable(true);
    button->setMinimumHeight(36);
    button->setObjectName(QString::fromStdString(id + ".option." + std::to_string(i)));
    button->setAccessibleName(QString::fromStdString(options[i]));
    layout->addWidget(button);
    group_->addButton(button, static_cast<int>(i));
  }
  show_index(cell_.get());
  connect(group_, &QButtonGroup::idClicked, this, [this, after_input](int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= option_count_) return;
    cell_.set(static_cast<std::size_t>(index));
    show_index(static_cast<std::size_t>(index));
    if (after_input) after_input();
  });
}

void SegmentedControl::pull_from_cell() { show_index(cell_.get()); }

bool SegmentedControl::rebind(const ui::Widget& model) {
  const auto* group = dynamic_cast<const ui::ToggleGroup*>(&model);
  if (!group) return false;
  cell_ = group->selected;
  pull_from_cell();
  return true;
}

void SegmentedControl::show_index(std::size_t index) {
  // An index outside the options shows nothing selected; an exclusive group
  // cannot uncheck its last button, so exclusivity is lifted meanwhile.
  group_->setExclusive(false);
  const auto buttons = group_->buttons();
  for (QAbstractButton* button : buttons) {
    const bool on = static_cast<std::size_t>(group_->id(button)) == index;
    button->setChecked(on);
    if (on) {
      theme::use_accent_button(*button);
    } else {
      theme::use_neutral_button(*button);
    }
  }
  group_->setExclusive(true);
}

}  // namespace qthost
