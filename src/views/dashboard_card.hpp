#pragma once
// The application's own card widget. It owns one child and hands every
// call of the widget interface straight to it, so the host lays it out and
// draws it exactly like the child alone; only its kind name differs, which
// lets tooling tell the dashboard's cards apart from other containers.

#include <string_view>
#include <vector>

#include "ui/widget.hpp"

namespace views {

class DashboardCard final : public ui::Widget {
 public:
  explicit DashboardCard(ui::WidgetPtr child);

  static constexpr std::string_view type_name = "DashboardCard";

  ui::Kind kind() const override { return ui::Kind::Custom; }
  std::string_view short_name() const override { return type_name; }
  std::vector<ui::Widget*> children() override;
  using ui::Widget::children;

  void sync(ui::Context& context) override;
  bool update(ui::Context& context) override;

  ui::Widget& child() { return *child_; }
  const ui::Widget& child() const { return *child_; }

 private:
  ui::WidgetPtr child_;
};

}  // namespace views
