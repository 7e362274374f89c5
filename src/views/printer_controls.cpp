#include "views/printer_controls.hpp"

#include "views/blocks.hpp"
#include "views/condition_guidance.hpp"

namespace views {

namespace {

// A queue that refuses documents counts as paused even while idle, so the
// one button offered is the one that would change something.
bool treated_as_paused(const devices::PrinterQueue& printer) {
  return !printer.accepting_jobs || printer.state == devices::PrinterState::Stopped;
}

ui::WidgetPtr status_card(const devices::PrinterQueue& printer) {
  auto words = std::make_unique<ui::Column>();
  words->push(heading_text(devices::status_word(printer), 21));
  words->push(supporting_text(printer.is_default ? "Preferred printer" : "Available to your apps"));
  auto row = std::make_unique<ui::Row>();
  row->push(icon(5, 52));
  row->push(std::move(words));
  return plain_card(std::move(row));
}

ui::WidgetPtr supply_list(const devices::PrinterQueue& printer) {
  if (!printer.markers || printer.markers->empty()) {
    return body_text("This printer does not report supply levels.");
  }
  auto list = std::make_unique<ui::Column>();
  for (const auto& marker : *printer.markers) {
    list->push(supply_level_row(marker.name, marker.level.value_or(0)));
    list->push(gap(10));
  }
  return list;
}

ui::WidgetPtr controls(const devices::PrinterQueue& printer, const app::MessageSender& sender) {
  const bool paused = treated_as_paused(printer);
  auto row = std::make_unique<ui::Row>();
  row->push(plain_button("orvane.device.enabled", paused ? "Resume printer" : "Pause printer",
                         sender, app::msg::SetPrinterEnabled{printer.name, paused}));
  if (!printer.is_default) {
    row->push(plain_button("orvane.device.default", "Make preferred", sender,
                           app::msg::SetDefaultPrinter{printer.name}));
  }
  row->push(plain_button("orvane.device.queue", "View print queue", sender, app::msg::OpenQueue{}));
  row->push(plain_button("orvane.device.diagnostics", "Check printer", sender,
                         app::msg::OpenDiagnostics{}));
  return row;
}

}  // namespace

ui::WidgetPtr printer_controls_view(const devices::PrinterQueue& printer,
                                    const app::MessageSender& sender) {
  auto page = std::make_unique<ui::Column>();
  page->push(
      page_header(devices::display_name(printer.name), "Status, supplies, and controls", sender));
  page->push(gap(20));
  page->push(status_card(printer));
  page->push(gap(16));
  page->push(titled_card("Ink and toner", nullptr, supply_list(printer)));
  page->push(gap(16));
  page->push(titled_card("Printer controls", nullptr, controls(printer, sender)));
  return page_frame(std::move(page), kNarrowPage);
}

}  // namespace views
