#pragma once
// One printer in detail: its status, every supply, and pause or resume,
// make preferred, the queue and the device checks.

#include "app/message.hpp"
#include "devices/records.hpp"
#include "ui/widget.hpp"

namespace views {

ui::WidgetPtr printer_controls_view(const devices::PrinterQueue& printer,
                                    const app::MessageSender& sender);

}  // namespace views
