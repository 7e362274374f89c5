#pragma once
// Finding driverless printers on the network and adding one.

#include <optional>

#include "app/message.hpp"
#include "devices/records.hpp"
#include "ui/widget.hpp"

namespace views {

// `result` absent: the search is still running; an error: the search failed
// (its text is not shown); a list: the printers found, possibly none.
ui::WidgetPtr add_printer_view(
    const std::optional<devices::ListResult<devices::DiscoveredPrinter>>& result,
    const app::MessageSender& sender);

}  // namespace views
