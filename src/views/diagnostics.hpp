#pragma once
// "Device help": plain-language checks of every printer and the scanner.

#include "app/message.hpp"
#include "app/snapshot.hpp"
#include "ui/widget.hpp"

namespace views {

ui::WidgetPtr diagnostics_view(const app::Snapshot& snapshot, const app::MessageSender& sender);

}  // namespace views
