#pragma once

#include "app/message.hpp"
#include "ui/widget.hpp"

namespace views {

// The welcome screen shown in place of the dashboard while no snapshot
// exists yet. "Find printers" starts a search, which needs no snapshot; the
// other buttons lead to views that do, so they stay control-only.
ui::WidgetPtr first_printer_view(const app::MessageSender& sender);

}  // namespace views
