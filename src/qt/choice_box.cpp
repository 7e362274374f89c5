#include "qt/choice_box.hpp"

#include <algorithm>

namespace qthost {

ChoiceBox::ChoiceBox(const ui::Dropdown& model, AfterInput after_input, QWidget* parent)
    : QComboBox(parent), on_choose_(model.on_choose) {
  setObjectName(QString::fromStdString(model.id));
  setAccessibleName(QString::fromStdString(model.label));
  setPlaceholderText(QString::fromStdString(model.placeholder));
  setMinimumHeight(36);
  setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  setMinimumContentsLength(12);
  for (const auto& option : model.options) {
    addItem(QString::fromStdString(option.label));
    values_.push_back(option.value);
  }
  show_current(model.current);
  connect(this, &QComboBox::activated, this, [this, after = std::move(after_input)](int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= values_.size()) return;
    const auto choose = on_choose_;
    if (choose) choose(values_[static_cast<std::size_t>(index)]);
    if (after) after();
  });
}

void ChoiceBox::show_current(const std::optional<std::string>& current) {
  int index = -1;
  if (current) {
    auto found = std::find(values_.begin(), values_.end(), *current);
    if (found != values_.end()) index = static_cast<int>(found - values_.begin());
  }
  if (index == currentIndex()) return;
  const bool blocked = blockSignals(true);
  setCurrentIndex(index);
  blockSignals(blocked);
}

bool ChoiceBox::rebind(const ui::Widget& model) {
  const auto* dropdown = dynamic_cast<const ui::Dropdown*>(&model);
  if (!dropdown) return false;
  on_choose_ = dropdown->on_choose;
  // The user may have picked an option the application did not take up.
  show_current(dropdown->current);
  return true;
}

}  // namespace qthost
