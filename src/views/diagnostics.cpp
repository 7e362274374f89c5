#include "views/diagnostics.hpp"

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

#include "views/blocks.hpp"
#include "views/condition_guidance.hpp"
#include "views/service_failure.hpp"

namespace views {

namespace {

constexpr std::size_t kSupplyRowsChecked = 6;

std::string counted(std::size_t count, const char* singular, const char* plural) {
  return count == 1 ? singular : plural;
}

struct Counts {
  std::size_t printers = 0;
  std::size_t responded = 0;
  std::size_t with_supplies = 0;
  std::size_t scanners = 0;
};

Counts count(const app::Snapshot& snapshot) {
  Counts counts;
  if (snapshot.printers.ok()) {
    const auto& printers = snapshot.printers.value();
    counts.printers = printers.size();
    for (const auto& printer : printers) {
      if (printer.responding) ++counts.responded;
      if (printer.markers && !printer.markers->empty()) ++counts.with_supplies;
    }
  }
  if (snapshot.scanners.ok()) counts.scanners = snapshot.scanners.value().size();
  return counts;
}

ui::WidgetPtr check_again(const app::MessageSender& sender) {
  return plain_button("orvane.diagnostics.refresh", "Check again", sender, app::msg::Refresh{});
}

ui::WidgetPtr connection_check(const app::Snapshot& snapshot, const app::MessageSender& sender) {
  const Counts counts = count(snapshot);
  auto content = std::make_unique<ui::Column>();
  content->push(body_text(std::to_string(counts.responded) + " of " +
                          std::to_string(counts.printers) + " " +
                          counted(counts.printers, "printer", "printers") + " responded"));
  content->push(gap(8));
  content->push(body_text(std::to_string(counts.with_supplies) + " " +
                          counted(counts.with_supplies, "printer", "printers") +
                          " report ink or toner levels"));
  content->push(gap(8));
  content->push(body_text(std::to_string(counts.scanners) + " " +
                          counted(counts.scanners, "scanner", "scanners") + " available"));
  if (auto failure = service_failure_card(failed_categories(snapshot, true, false, true), sender)) {
    content->push(gap(14));
    content->push(std::move(failure));
  }
  return titled_card("Connection check", check_again(sender), std::move(content));
}

ui::WidgetPtr printer_check_card(const devices::PrinterQueue& printer,
                                 const app::MessageSender& sender) {
  auto content = std::make_unique<ui::Column>();
  content->push(body_text(devices::status_word(printer)));
  content->push(supporting_text(
      printer.responding
          ? "The printer answered the latest status check."
          : "Live details are unavailable. The printer may be asleep or disconnected."));
  for (auto& line : condition_lines(printer)) {
    content->push(gap(8));
    content->push(body_text(std::move(line)));
  }
  if (printer.markers) {
    const auto& markers = *printer.markers;
    const std::size_t checked = std::min(markers.size(), kSupplyRowsChecked);
    for (std::size_t i = 0; i < checked; ++i) {
      if (!markers[i].level) continue;
      content->push(gap(10));
      content->push(supply_level_row(markers[i].name, *markers[i].level));
    }
  }
  content->push(gap(12));
  content->push(plain_button("orvane.diagnostics.device", "Open printer controls", sender,
                             app::msg::OpenPrinter{printer.name}));
  return titled_card(devices::display_name(printer.name), nullptr, std::move(content));
}

ui::WidgetPtr scanner_card(const app::Snapshot& snapshot, const app::MessageSender& sender) {
  if (snapshot.scanners.ok() && !snapshot.scanners.value().empty()) {
    return titled_card(
        "Scanner",
        plain_button("orvane.diagnostics.scan", "Start scanning", sender, app::msg::OpenScan{}),
        body_text("Your scanner is available for a new document."));
  }
  return titled_card(
      "Scanner", check_again(sender),
      body_text("No scanner was found. Check its cable or network connection, then refresh."));
}

ui::WidgetPtr narrow_box(ui::WidgetPtr child) {
  auto box = std::make_unique<ui::Container>();
  box->max_width = 840;
  box->with_child(std::move(child));
  return box;
}

}  // namespace

ui::WidgetPtr diagnostics_view(const app::Snapshot& snapshot, const app::MessageSender& sender) {
  auto page = std::make_unique<ui::Column>();
  page->push(page_header("Device help", "Useful checks without printer jargon", sender));
  page->push(gap(20));
  page->push(connection_check(snapshot, sender));
  page->push(gap(16));
  if (snapshot.printers.ok()) {
    for (const auto& printer : snapshot.printers.value()) {
      page->push(narrow_box(printer_check_card(printer, sender)));
      page->push(gap(12));
    }
  }
  page->push(narrow_box(scanner_card(snapshot, sender)));
  page->push(gap(12));
  return page_frame(std::move(page), kNarrowPage);
}

}  // namespace views
