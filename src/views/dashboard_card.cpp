#include "views/dashboard_card.hpp"

#include <memory>
#include <utility>

#include "ui/widgets.hpp"

namespace views {

// A missing child would leave the host nothing to draw; an empty container
// keeps the "exactly one child" promise instead.
DashboardCard::DashboardCard(ui::WidgetPtr child)
    : child_(child ? std::move(child) : std::make_unique<ui::Container>()) {}

std::vector<ui::Widget*> DashboardCard::children() { return {child_.get()}; }

void DashboardCard::sync(ui::Context& context) { child_->sync(context); }

bool DashboardCard::update(ui::Context& context) { return child_->update(context); }

}  // namespace views
