#include "views/first_printer.hpp"

#include "views/blocks.hpp"

namespace views {

ui::WidgetPtr first_printer_view(const app::MessageSender& sender) {
  auto buttons = std::make_unique<ui::Row>();
  buttons->push(
      plain_button("orvane.add.first", "Find printers", sender, app::msg::DiscoverPrinters{}));
  buttons->push(control_button("orvane.help", "Connection help"));

  auto setup = std::make_unique<ui::Column>();
  setup->push(heading_text("Nearby printers appear automatically", 18));
  setup->push(body_text(
      "Choose Find printers and we\u2019ll guide you. Drivers and network details stay out of "
      "the way unless you need them."));
  setup->push(gap(18));
  setup->push(std::move(buttons));

  auto page = std::make_unique<ui::Column>();
  page->push(header_row("Print and scan without digging through settings"));
  page->push(gap(36));
  page->push(titled_card("Set up your first printer", nullptr, std::move(setup)));
  page->push(gap(18));
  page->push(titled_card("Already have a document?", nullptr,
                         body_text("Open it and choose Print, or drop it here to preview pages "
                                   "and finishing options before anything is sent.")));
  return page;
}

}  // namespace views
