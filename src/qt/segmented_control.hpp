#pragma once
// A toggle group: one checkable button per option, exactly one of them on,
// bound to the index cell. The options wrap in narrow windows.

#include <QButtonGroup>
#include <QWidget>
#include <cstddef>
#include <string>
#include <vector>

#include "platform/cell.hpp"
#include "qt/bound_control.hpp"
#include "qt/rebindable.hpp"

namespace qthost {

class SegmentedControl final : public QWidget, public BoundControl, public Rebindable {
  Q_OBJECT

 public:
  SegmentedControl(const std::string& id, const std::vector<std::string>& options,
                   platform::Cell<std::size_t> cell, const AfterInput& after_input,
                   QWidget* parent = nullptr);

  void pull_from_cell() override;
  bool rebind(const ui::Widget& model) override;

 private:
  void show_index(std::size_t index);

  QButtonGroup* group_;
  std::size_t option_count_;
  platform::Cell<std::size_t> cell_;
};

}  // namespace qthost
