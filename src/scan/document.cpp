#include "scan/document.hpp"

#include <algorithm>
#include <utility>

namespace scan {
namespace {

void after_change(app::State& state) {
  refresh_view_copy(state);
  reset_selection(state);
  app::show_scan_view(state);
}

}  // namespace

app::ScannedPage* current_page(app::State& state) {
  if (state.current_page_index >= state.scanned_pages.size()) return nullptr;
  return &state.scanned_pages[state.current_page_index];
}

void refresh_view_copy(app::State& state) {
  if (const app::ScannedPage* page = current_page(state)) {
    state.current_page_view = *page;
  } else {
    state.current_page_view.reset();
  }
}

void reset_selection(app::State& state) { state.crop_selection.set(app::CropSelection{}); }

void previous_page(app::State& state) {
  if (state.current_page_index > 0) --state.current_page_index;
  after_change(state);
}

void next_page(app::State& state) {
  if (state.current_page_index + 1 < state.scanned_pages.size()) ++state.current_page_index;
  after_change(state);
}

void move_page_earlier(app::State& state) {
  const std::size_t index = state.current_page_index;
  if (index > 0 && index < state.scanned_pages.size()) {
    std::swap(state.scanned_pages[index], state.scanned_pages[index - 1]);
    state.current_page_index = index - 1;
  }
  after_change(state);
}

void move_page_later(app::State& state) {
  const std::size_t index = state.current_page_index;
  if (index + 1 < state.scanned_pages.size()) {
    std::swap(state.scanned_pages[index], state.scanned_pages[index + 1]);
    state.current_page_index = index + 1;
  }
  after_change(state);
}

void delete_page(app::State& state) {
  auto& pages = state.scanned_pages;
  if (state.current_page_index < pages.size()) {
    pages.erase(pages.begin() + static_cast<std::ptrdiff_t>(state.current_page_index));
    state.current_page_index =
        pages.empty() ? 0 : std::min(state.current_page_index, pages.size() - 1);
  }
  after_change(state);
}

}  // namespace scan
