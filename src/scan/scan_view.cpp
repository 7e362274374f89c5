#include <algorithm>
#include <string>
#include <utility>

#include "scan/blank_text.hpp"
#include "scan/choices.hpp"
#include "scan/scan.hpp"
#include "views/blocks.hpp"
#include "views/service_failure.hpp"

namespace scan {
namespace {

using views::body_text;
using views::gap;
using views::plain_button;
using views::supporting_text;

// The part of the recognized text the result view shows.
constexpr std::size_t kShownTextLength = 320;

template <std::size_t N>
std::vector<std::string> labels(const std::array<std::string_view, N>& table) {
  return {table.begin(), table.end()};
}

std::unique_ptr<ui::ToggleGroup> toggle_group(std::string id, std::string label,
                                              std::vector<std::string> options,
                                              const platform::Cell<std::size_t>& cell) {
  auto group = std::make_unique<ui::ToggleGroup>();
  group->id = std::move(id);
  group->label = std::move(label);
  group->options = std::move(options);
  // The group shares the cell: it shows the index the cell holds and writes
  // the chosen one back.
  group->selected = cell;
  return group;
}

void push_header(ui::Column& page, std::string title, std::string subtitle,
                 const std::optional<app::Notice>& notice, const app::MessageSender& sender) {
  page.push(views::page_header(std::move(title), std::move(subtitle), sender));
  page.push(gap(20));
  if (notice) {
    page.push(views::notice_banner(*notice));
    page.push(gap(14));
  }
}

ui::WidgetPtr scanner_choices(const ScanViewInput& input, const app::MessageSender& sender) {
  auto column = std::make_unique<ui::Column>();
  if (!input.snapshot.scanners.ok()) {
    if (auto card = views::service_failure_card(
            views::failed_categories(input.snapshot, false, false, true), sender)) {
      column->push(std::move(card));
    }
    return column;
  }
  const auto& scanners = input.snapshot.scanners.value();
  for (const devices::Scanner& scanner : scanners) {
    const bool selected = input.selected_scanner == scanner.id;
    column->push(plain_button("orvane.scan.device",
                              selected ? "Selected: " + scanner.name : scanner.name, sender,
                              app::msg::SelectScanner{scanner.id}));
  }
  if (scanners.empty()) {
    column->push(body_text(
        "No scanner is available. Check its cable or network connection, then refresh Orvane."));
  }
  return column;
}

ui::WidgetPtr page_settings(const ScanViewInput& input) {
  struct Group {
    const char* label;
    const char* id;
    std::vector<std::string> options;
    const platform::Cell<std::size_t>& cell;
  };
  const Group groups[] = {
      {"Quality", "orvane.scan.resolution", labels(kQualityLabels), input.resolution_choice},
      {"Appearance", "orvane.scan.color", labels(kAppearanceLabels), input.color_choice},
      {"Paper source", "orvane.scan.source", labels(kPaperSourceLabels), input.source_choice},
      {"Text language", "orvane.scan.language", labels(kLanguageLabels), input.language_choice},
  };
  auto column = std::make_unique<ui::Column>();
  bool first = true;
  for (const Group& group : groups) {
    if (!first) column->push(gap(14));
    first = false;
    column->push(body_text(group.label));
    column->push(gap(6));
    column->push(toggle_group(group.id, group.label, group.options, group.cell));
  }
  return column;
}

ui::WidgetPtr settings_face(const ScanViewInput& input, const app::MessageSender& sender) {
  auto page = std::make_unique<ui::Column>();
  push_header(*page, "Scan a document", "Choose the scanner and how this page should look",
              input.notice, sender);

  page->push(views::titled_card(
      "Current document", nullptr,
      body_text(input.page_count > 0
                    ? std::to_string(input.page_count) + " pages captured — new scans will be added"
                    : "No pages captured yet")));
  page->push(gap(16));
  page->push(views::titled_card("Scanner", nullptr, scanner_choices(input, sender)));
  page->push(gap(16));
  page->push(views::titled_card("Page settings", nullptr, page_settings(input)));
  page->push(gap(16));

  auto actions = std::make_unique<ui::Row>();
  actions->push(
      plain_button("orvane.scan.cancel", "Cancel", sender, app::msg::ReturnToDashboard{}));
  if (input.selected_scanner && !input.scan_in_progress) {
    actions->push(
        plain_button("orvane.scan.start", "Scan page", sender, app::msg::StartScan{}, true));
  } else if (input.scan_in_progress) {
    actions->push(body_text("Scanning page…"));
  }
  page->push(std::move(actions));

  auto frame = std::make_unique<ui::Scrollable>();
  frame->with_child(std::move(page));
  return frame;
}

ui::WidgetPtr page_details(const app::ScannedPage& page, std::size_t n, std::size_t total,
                           const app::MessageSender& sender) {
  auto column = std::make_unique<ui::Column>();
  column->push(
      views::heading_text("Page " + std::to_string(n) + " of " + std::to_string(total), 20));
  column->push(gap(6));
  column->push(supporting_text(page.height < page.width ? "Landscape page" : "Portrait page"));
  column->push(supporting_text("Reading text as " + page.language_name));
  column->push(gap(14));
  column->push(body_text(page.status_text));
  if (page.recognized_text) {
    std::string shown = first_characters(*page.recognized_text, kShownTextLength);
    if (!is_blank(shown)) {
      column->push(gap(12));
      column->push(views::titled_card("Recognized text", nullptr, body_text(std::move(shown))));
    }
  }
  column->push(gap(16));
  column->push(views::heading_text("Page tools", 16));
  column->push(gap(8));

  auto tools = std::make_unique<ui::Row>();
  tools->push(plain_button("orvane.scan.rotate", "Rotate right", sender, app::msg::RotatePage{}));
  tools->push(plain_button("orvane.scan.apply-crop", "Apply crop", sender, app::msg::ApplyCrop{}));
  if (page.recognition_running) {
    tools->push(supporting_text("Updating recognized text…"));
  } else if (page.recognition_stale) {
    tools->push(plain_button("orvane.scan.recognize", "Update recognized text", sender,
                             app::msg::RecognizePage{}));
  }
  if (page.recognized_text && !is_blank(*page.recognized_text)) {
    tools->push(plain_button("orvane.scan.copy-text", "Copy recognized text", sender,
                             app::msg::CopyRecognizedText{}));
  }
  column->push(std::move(tools));

  return views::plain_card(std::move(column));
}

ui::WidgetPtr page_list(std::size_t index, std::size_t n, std::size_t total,
                        const app::MessageSender& sender) {
  auto column = std::make_unique<ui::Column>();
  column->push(body_text("Page " + std::to_string(n) + " selected · " + std::to_string(total) +
                         (total == 1 ? " page" : " pages") + " total"));
  column->push(gap(10));
  auto buttons = std::make_unique<ui::Row>();
  if (index > 0) {
    buttons->push(
        plain_button("orvane.scan.previous", "Previous page", sender, app::msg::PreviousPage{}));
  }
  if (n < total) {
    buttons->push(plain_button("orvane.scan.next", "Next page", sender, app::msg::NextPage{}));
  }
  if (index > 0) {
    buttons->push(plain_button("orvane.scan.move-earlier", "Move before previous page", sender,
                               app::msg::MovePageEarlier{}));
  }
  if (n < total) {
    buttons->push(plain_button("orvane.scan.move-later", "Move after next page", sender,
                               app::msg::MovePageLater{}));
  }
  buttons->push(
      plain_button("orvane.scan.delete-page", "Remove this page", sender, app::msg::DeletePage{}));
  column->push(std::move(buttons));
  return views::titled_card("Pages in this document", nullptr, std::move(column));
}

ui::WidgetPtr result_face(const ScanViewInput& input, const app::ScannedPage& page,
                          const app::MessageSender& sender) {
  const std::size_t index = input.current_page_index;
  const std::size_t n = index == SIZE_MAX ? index : index + 1;
  const std::size_t total = input.page_count;

  auto column = std::make_unique<ui::Column>();
  push_header(*column, "Scanned document", "Review the page before saving it", input.notice,
              sender);

  auto top = std::make_unique<ui::Row>();
  top->push(plain_button("orvane.scan.save-document", "Save document", sender,
                         app::msg::SaveScannedDocument{}, true));
  top->push(
      plain_button("orvane.scan.again", "Scan another page", sender, app::msg::ScanAnotherPage{}));
  column->push(std::move(top));
  column->push(gap(16));

  auto editor = std::make_unique<ui::ImageCropEditor>();
  editor->pixels = page.pixels;
  editor->width = page.width;
  editor->height = page.height;
  editor->selection = input.crop_selection;
  auto left = std::make_unique<ui::Container>();
  left->width = 280;
  left->height = 360;
  left->with_child(std::move(editor));

  auto right = std::make_unique<ui::Container>();
  right->width = 280;
  right->with_child(page_details(page, n, total, sender));

  auto review = std::make_unique<ui::Row>();
  review->push(std::move(left));
  review->push(std::move(right));
  column->push(std::move(review));
  column->push(gap(12));
  column->push(page_list(index, n, total, sender));
  column->push(gap(12));

  auto bottom = std::make_unique<ui::Row>();
  bottom->push(plain_button("orvane.scan.save-page", "Export this page", sender,
                            app::msg::SaveScannedPage{}));
  bottom->push(
      plain_button("orvane.scan.done", "Back to Orvane", sender, app::msg::ReturnToDashboard{}));
  column->push(std::move(bottom));

  auto frame = std::make_unique<ui::Scrollable>();
  frame->with_child(std::move(column));
  return frame;
}

}  // namespace

ui::WidgetPtr scan_view(const ScanViewInput& input, const app::MessageSender& sender) {
  if (input.current_page_view) return result_face(input, *input.current_page_view, sender);
  return settings_face(input, sender);
}

}  // namespace scan
