#include "views/add_printer.hpp"

#include "views/blocks.hpp"

namespace views {

namespace {

ui::WidgetPtr found_printer_card(const devices::DiscoveredPrinter& printer,
                                 const app::MessageSender& sender) {
  auto words = std::make_unique<ui::Column>();
  words->push(body_text("Ready to add"));
  words->push(supporting_text(printer.location.value_or("Nearby")));
  auto content = std::make_unique<ui::Row>();
  content->push(icon(5, 34));
  content->push(std::move(words));
  return titled_card(printer.name,
                     secondary_button("orvane.discover.add." + printer.name, "Add", 18, sender,
                                      app::msg::AddPrinter{printer}),
                     std::move(content));
}

}  // namespace

ui::WidgetPtr add_printer_view(
    const std::optional<devices::ListResult<devices::DiscoveredPrinter>>& result,
    const app::MessageSender& sender) {
  auto page = std::make_unique<ui::Column>();
  page->push(page_header("Add a printer", "Nearby printers appear automatically", sender));
  page->push(gap(20));
  if (!result) {
    page->push(titled_card("Looking nearby", nullptr,
                           indeterminate_progress_bar("Finding nearby printers")));
  } else if (!result->ok()) {
    page->push(titled_card("Could not search right now", nullptr,
                           body_text("Check your network connection and try again.")));
    page->push(gap(12));
    page->push(
        plain_button("orvane.discover.retry", "Try again", sender, app::msg::DiscoverPrinters{}));
  } else if (result->value().empty()) {
    page->push(titled_card("No printers found", nullptr,
                           body_text("Make sure the printer is awake and connected to the same "
                                     "network, then search again.")));
    page->push(gap(12));
    page->push(plain_button("orvane.discover.retry", "Search again", sender,
                            app::msg::DiscoverPrinters{}));
  } else {
    for (const auto& printer : result->value()) {
      page->push(found_printer_card(printer, sender));
      page->push(gap(12));
    }
  }
  return page_frame(std::move(page), kWidePage);
}

}  // namespace views
