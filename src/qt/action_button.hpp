#pragma once
// A push button that runs the toolkit button's action when clicked, then
// lets the host know so it can schedule an update.

#include <QPushButton>
#include <functional>

#include "qt/bound_control.hpp"
#include "qt/rebindable.hpp"
#include "ui/widgets.hpp"

namespace qthost {

class ActionButton final : public QPushButton, public Rebindable {
  Q_OBJECT

 public:
  ActionButton(const ui::Button& model, AfterInput after_input, QWidget* parent = nullptr);
  bool rebind(const ui::Widget& model) override;

 private:
  std::function<void()> action_;
};

}  // namespace qthost
