#pragma once
// The home screen: a one-line summary, the document printing now, a card
// per printer, scanning when a scanner is present, and the ways to the
// history and the device checks.

#include <optional>

#include "app/message.hpp"
#include "app/notice.hpp"
#include "app/snapshot.hpp"
#include "devices/records.hpp"
#include "ui/widget.hpp"

namespace views {

ui::WidgetPtr dashboard_view(const app::Snapshot& snapshot,
                             const std::optional<app::Notice>& notice,
                             const app::MessageSender& sender);

// One printer's card: status, lowest supply, whether it is preferred, "Open".
ui::WidgetPtr printer_card(const devices::PrinterQueue& printer, const app::MessageSender& sender);

}  // namespace views
