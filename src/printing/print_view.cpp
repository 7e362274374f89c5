#include <memory>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "devices/records.hpp"
#include "printing/document_name.hpp"
#include "printing/printing.hpp"
#include "views/blocks.hpp"
#include "views/service_failure.hpp"

namespace printing {
namespace {

constexpr int kColumnWidth = 260;
constexpr int kPreviewWidth = 180;
constexpr int kReadyPreviewHeight = 220;
constexpr int kPlaceholderPreviewHeight = 138;
constexpr int kUnavailableIcon = 23;

std::unique_ptr<ui::Container> preview_box(int height, ui::WidgetPtr content) {
  auto box = std::make_unique<ui::Container>();
  box->width = kPreviewWidth;
  box->height = height;
  box->with_child(std::move(content));
  return box;
}

// A ready picture whose bytes do not cover its stated size would make the
// host read past the buffer; it is shown as unavailable instead.
bool pixels_cover(const app::PreviewReady& ready) {
  if (!ready.pixels || ready.width == 0 || ready.height == 0) return false;
  const auto needed = static_cast<std::uint64_t>(ready.width) * ready.height * 4;
  return ready.pixels->size() >= needed;
}

ui::WidgetPtr unavailable_preview() {
  auto column = std::make_unique<ui::Column>();
  column->push(views::icon(kUnavailableIcon, 42));
  column->push(views::gap(10));
  column->push(views::body_text("Preview unavailable"));
  column->push(views::supporting_text("The original document is unchanged."));
  return preview_box(kPlaceholderPreviewHeight, std::move(column));
}

ui::WidgetPtr document_preview(const app::PreviewState& preview, const std::string& document_name) {
  if (const auto* ready = std::get_if<app::PreviewReady>(&preview)) {
    if (!pixels_cover(*ready)) return unavailable_preview();
    auto image = std::make_unique<ui::Image>();
    image->pixels = ready->pixels;
    image->width = ready->width;
    image->height = ready->height;
    image->label = "Preview of " + document_name;
    return preview_box(kReadyPreviewHeight, std::move(image));
  }
  if (std::holds_alternative<app::PreviewLoading>(preview)) {
    return preview_box(kPlaceholderPreviewHeight,
                       views::indeterminate_progress_bar("Preparing document preview"));
  }
  return unavailable_preview();
}

ui::WidgetPtr labelled_row(std::string label, ui::WidgetPtr control) {
  auto row = std::make_unique<ui::Row>();
  row->push(views::body_text(std::move(label)));
  row->push(std::make_unique<ui::Spacer>());
  row->push(std::move(control));
  return row;
}

ui::WidgetPtr document_card(const std::string& document_name, const app::PreviewState& preview) {
  auto content = std::make_unique<ui::Column>();
  content->push(document_preview(preview, document_name));
  content->push(views::gap(10));
  content->push(views::body_text("Ready to print"));
  content->push(views::supporting_text("The printer will render this document"));
  return views::titled_card(document_name, nullptr, std::move(content));
}

ui::WidgetPtr options_card(const platform::Cell<double>& copies,
                           const platform::Cell<bool>& two_sided) {
  auto copies_input = std::make_unique<ui::NumberInput>();
  copies_input->id = "orvane.print.copies";
  copies_input->label = "Number of copies";
  copies_input->min = 1;
  copies_input->max = 99;
  copies_input->value = copies;

  auto both_sides = std::make_unique<ui::Toggle>();
  both_sides->value = two_sided;

  auto content = std::make_unique<ui::Column>();
  content->push(labelled_row("Copies", std::move(copies_input)));
  content->push(views::gap(18));
  content->push(labelled_row("Print on both sides", std::move(both_sides)));
  return views::titled_card("Printing options", nullptr, std::move(content));
}

std::vector<ui::DropdownOption> printer_options(const app::Snapshot& snapshot) {
  std::vector<ui::DropdownOption> options;
  if (!snapshot.printers.ok()) return options;
  for (const devices::PrinterQueue& queue : snapshot.printers.value()) {
    options.push_back(
        {queue.name, devices::display_name(queue.name) + " (" + devices::status_word(queue) + ")"});
  }
  return options;
}

ui::WidgetPtr printer_card(const app::Snapshot& snapshot,
                           const std::optional<std::string>& selected_printer,
                           const app::MessageSender& sender) {
  auto choice = std::make_unique<ui::Dropdown>();
  choice->id = "orvane.print.printer";
  choice->label = "Printer";
  choice->placeholder = "Choose a printer";
  choice->options = printer_options(snapshot);
  choice->current = selected_printer;
  choice->on_choose = [sender](const std::string& queue) {
    sender.send(app::msg::ChoosePrinter{queue});
  };

  auto content = std::make_unique<ui::Column>();
  content->push(std::move(choice));
  content->push(views::gap(10));
  content->push(views::supporting_text("Choose where to send this document."));
  return views::titled_card("Printer", nullptr, std::move(content));
}

ui::WidgetPtr fixed_width(ui::WidgetPtr child) {
  auto container = std::make_unique<ui::Container>();
  container->width = kColumnWidth;
  container->with_child(std::move(child));
  return container;
}

}  // namespace

ui::WidgetPtr print_view(const app::Snapshot& snapshot, const std::string& document_path,
                         const app::PreviewState& preview,
                         const std::optional<std::string>& selected_printer,
                         const platform::Cell<double>& copies,
                         const platform::Cell<bool>& two_sided, const app::MessageSender& sender) {
  const std::string document_name = document_name_for_view(document_path);

  auto page = std::make_unique<ui::Column>();
  page->push(
      views::page_header("Print a document", "Review the document and choose a printer", sender));
  page->push(views::gap(16));
  if (auto failure = views::service_failure_card(
          views::failed_categories(snapshot, true, false, false), sender)) {
    page->push(std::move(failure));
    page->push(views::gap(12));
  }
  auto cards = std::make_unique<ui::Row>();
  cards->push(fixed_width(document_card(document_name, preview)));
  cards->push(fixed_width(options_card(copies, two_sided)));
  cards->push(fixed_width(printer_card(snapshot, selected_printer, sender)));
  page->push(std::move(cards));
  page->push(views::gap(24));

  auto scrolling = std::make_unique<ui::Scrollable>();
  scrolling->with_child(std::move(page));

  auto actions = std::make_unique<ui::Row>();
  actions->push(std::make_unique<ui::Spacer>());
  actions->push(
      views::plain_button("orvane.print.cancel", "Cancel", sender, app::msg::CancelPrint{}));
  if (selected_printer) {
    actions->push(
        views::plain_button("orvane.print.submit", "Print", sender, app::msg::SubmitPrint{}, true));
  }

  auto whole = std::make_unique<ui::Column>();
  whole->push(std::move(scrolling));
  whole->push(views::gap(8));
  whole->push(std::make_unique<ui::Divider>());
  whole->push(views::gap(12));
  whole->push(std::move(actions));
  return views::page_frame(std::move(whole), views::kWidePage);
}

}  // namespace printing
