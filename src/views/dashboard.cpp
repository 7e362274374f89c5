#include "views/dashboard.hpp"

#include <algorithm>
#include <string>
#include <vector>

#include "devices/service.hpp"
#include "views/blocks.hpp"
#include "views/condition_guidance.hpp"
#include "views/service_failure.hpp"

namespace views {

namespace {

std::string summary_line(const app::Snapshot& snapshot, std::size_t active_count) {
  if (!snapshot.printers.ok() || !snapshot.jobs.ok() || !snapshot.scanners.ok()) {
    return "Some information needs refreshing";
  }
  if (active_count == 0) return "Everything is ready";
  if (active_count == 1) return "One document is active";
  return std::to_string(active_count) + " documents are active";
}

ui::WidgetPtr header_block(std::string summary, const app::MessageSender& sender) {
  auto titles = std::make_unique<ui::Column>();
  titles->push(heading_text("Orvane", 28));
  titles->push(supporting_text(std::move(summary)));

  auto buttons = std::make_unique<ui::Row>();
  buttons->push(
      primary_button("orvane.add", "Add printer", 18, sender, app::msg::DiscoverPrinters{}));
  buttons->push(
      secondary_button("orvane.print", "Print a document", 5, sender, app::msg::PrintDocument{}));

  auto header = std::make_unique<ui::Column>();
  header->push(std::move(titles));
  header->push(gap(14));
  header->push(std::move(buttons));
  return header;
}

ui::WidgetPtr current_document_card(const devices::PrintJob& job,
                                    const app::MessageSender& sender) {
  const auto position = devices::current_page(job);
  auto details = std::make_unique<ui::Column>();
  details->push(heading_text(devices::job_display_title(job), 17));
  details->push(supporting_text("Sent to " + devices::display_name(job.printer)));
  details->push(gap(12));
  details->push(
      percent_progress_bar(devices::page_progress_percent(job), "Current document progress"));
  auto details_box = std::make_unique<ui::Container>();
  details_box->width = 260;
  details_box->with_child(std::move(details));

  auto first = std::make_unique<ui::Row>();
  first->push(page_preview("Current document", position.current, position.total));
  first->push(std::move(details_box));

  auto second = std::make_unique<ui::Column>();
  second->push(plain_button("orvane.queue", "Open queue", sender, app::msg::OpenQueue{}));
  second->push(gap(10));
  second->push(plain_button("orvane.job.cancel", "Cancel", sender, app::msg::AskCancelJob{job.id}));

  // Only active jobs get here, so the state is present.
  return dashboard_card(devices::dashboard_label(job.state.value_or(devices::JobState::Pending)),
                        std::move(first), std::move(second));
}

ui::WidgetPtr supply_summary(const devices::PrinterQueue& printer) {
  if (const auto lowest = lowest_supply_level(printer)) {
    return supply_level_row("Lowest supply", *lowest);
  }
  return supporting_text("Supply levels unavailable");
}

void push_printers(ui::Column& page, const std::vector<devices::PrinterQueue>& printers,
                   const app::MessageSender& sender) {
  auto heading = std::make_unique<ui::Column>();
  heading->push(heading_text("Your printers", 19));
  heading->push(gap(8));
  heading->push(primary_button("orvane.refresh", "Refresh", 76, sender, app::msg::Refresh{}));
  page.push(std::move(heading));
  page.push(gap(10));
  if (printers.empty()) {
    page.push(titled_card(
        "No printers added",
        primary_button("orvane.discover.empty", "Find a printer", 19, sender,
                       app::msg::DiscoverPrinters{}),
        body_text("You can still scan documents below. Add a printer whenever you need one.")));
    return;
  }
  auto cards = std::make_unique<ui::Column>();
  for (const auto& printer : printers) {
    cards->push(printer_card(printer, sender));
    cards->push(gap(14));
  }
  page.push(std::move(cards));
}

ui::WidgetPtr scan_card(const devices::Scanner& scanner, const app::MessageSender& sender) {
  auto first = std::make_unique<ui::Row>();
  first->push(icon(28, 30));
  first->push(body_text(scanner.name + " is ready"));
  return dashboard_card(
      "Scan a document", std::move(first),
      secondary_button("orvane.scan.open", "Start scanning", 28, sender, app::msg::OpenScan{}));
}

ui::WidgetPtr boxed(ui::WidgetPtr child) {
  auto box = std::make_unique<ui::Container>();
  box->with_child(std::move(child));
  return box;
}

ui::WidgetPtr help_block(const app::Snapshot& snapshot, const app::MessageSender& sender) {
  auto block = std::make_unique<ui::Column>();
  if (snapshot.jobs.ok()) {
    const auto& jobs = snapshot.jobs.value();
    const bool any_completed = std::any_of(jobs.begin(), jobs.end(), [](const auto& job) {
      return job.state == devices::JobState::Completed;
    });
    block->push(boxed(dashboard_card(
        "Recent documents",
        body_text(any_completed ? "Review what printed and quickly print a retained job again."
                                : "Completed documents will appear here."),
        primary_button("orvane.history.open", "See all", 60, sender, app::msg::OpenHistory{}))));
    block->push(gap(14));
  }
  block->push(boxed(dashboard_card(
      "Device help",
      body_text("Plain-language checks for connections, paper, supplies, and scanners."),
      primary_button("orvane.diagnostics.open", "Check devices", 70, sender,
                     app::msg::OpenDiagnostics{}))));
  return block;
}

}  // namespace

ui::WidgetPtr printer_card(const devices::PrinterQueue& printer, const app::MessageSender& sender) {
  auto details = std::make_unique<ui::Column>();
  details->push(body_text(devices::status_word(printer)));
  details->push(gap(10));
  details->push(supply_summary(printer));
  details->push(gap(8));
  details->push(
      supporting_text(printer.is_default ? "Preferred printer" : "Available to your apps"));

  auto first = std::make_unique<ui::Row>();
  first->push(icon(5, 34));
  first->push(std::move(details));

  return dashboard_card(devices::display_name(printer.name), std::move(first),
                        primary_button("orvane.device.open." + printer.name, "Open", 39, sender,
                                       app::msg::OpenPrinter{printer.name}));
}

ui::WidgetPtr dashboard_view(const app::Snapshot& snapshot,
                             const std::optional<app::Notice>& notice,
                             const app::MessageSender& sender) {
  const auto active = snapshot.jobs.ok() ? devices::active_jobs(snapshot.jobs.value())
                                         : std::vector<devices::PrintJob>{};

  auto page = std::make_unique<ui::Column>();
  page->push(header_block(summary_line(snapshot, active.size()), sender));
  page->push(gap(20));
  if (notice) {
    page->push(notice_banner(*notice));
    page->push(gap(14));
  }
  if (auto failure = service_failure_card(failed_categories(snapshot, true, true, true), sender)) {
    page->push(std::move(failure));
    page->push(gap(14));
  }
  if (!active.empty()) {
    page->push(current_document_card(active.front(), sender));
    page->push(gap(28));
  }
  if (snapshot.printers.ok()) push_printers(*page, snapshot.printers.value(), sender);
  if (snapshot.scanners.ok() && !snapshot.scanners.value().empty()) {
    page->push(gap(18));
    page->push(scan_card(snapshot.scanners.value().front(), sender));
  }
  page->push(gap(18));
  page->push(help_block(snapshot, sender));
  return page_frame(std::move(page), kWidePage);
}

}  // namespace views
