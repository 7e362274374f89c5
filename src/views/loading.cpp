#include "views/loading.hpp"

#include "views/blocks.hpp"

namespace views {

ui::WidgetPtr loading_view() {
  auto content = std::make_unique<ui::Column>();
  content->push(body_text("Looking for printers, scanners, and unfinished documents."));
  content->push(gap(16));
  content->push(indeterminate_progress_bar("Loading Orvane"));

  auto page = std::make_unique<ui::Column>();
  page->push(header_row("Checking printers and documents"));
  page->push(gap(32));
  page->push(titled_card("Getting things ready", nullptr, std::move(content)));
  return page;
}

}  // namespace views
