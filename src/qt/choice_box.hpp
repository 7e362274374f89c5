#pragma once
// The dropdown: a combo box with a placeholder that posts the chosen
// option's value through the toolkit dropdown's on_choose. Only the user's
// choice posts; showing the current value does not.

#include <QComboBox>
#include <functional>
#include <string>
#include <vector>

#include "qt/bound_control.hpp"
#include "qt/rebindable.hpp"
#include "ui/widgets.hpp"

namespace qthost {

class ChoiceBox final : public QComboBox, public Rebindable {
  Q_OBJECT

 public:
  ChoiceBox(const ui::Dropdown& model, AfterInput after_input, QWidget* parent = nullptr);
  bool rebind(const ui::Widget& model) override;

 private:
  void show_current(const std::optional<std::string>& current);

  std::vector<std::string> values_;
  std::function<void(const std::string&)> on_choose_;
};

}  // namespace qthost
