#include "scan/page_tools.hpp"

#include <memory>
#include <string>
#include <utility>

#include "scan/deferred_png.hpp"
#include "scan/document.hpp"
#include "scan/page_pixels.hpp"

namespace scan {
namespace {

// The page takes the edited pixels and a buffer standing for their PNG (made
// off the UI thread), and its recognized text no longer applies.
void store_edit(app::ScannedPage& page, RgbaImage edited, std::string status_text) {
  page.width = edited.width;
  page.height = edited.height;
  page.pixels = std::make_shared<const std::vector<std::uint8_t>>(std::move(edited.pixels));
  page.encoded_image = encode_png_later(page.pixels, page.width, page.height);
  page.recognized_text.reset();
  page.status_text = std::move(status_text);
  page.recognition_stale = true;
  page.recognition_running = false;
}

void fail(app::State& state, std::string title, std::string detail) {
  state.notice = app::Notice{std::move(title), std::move(detail), false};
  app::show_scan_view(state);
}

}  // namespace

void rotate_page(app::State& state) {
  app::ScannedPage* page = current_page(state);
  if (!page) {
    app::show_scan_view(state);
    return;
  }
  auto view = rgba_view(page->pixels, page->width, page->height);
  if (!view) return fail(state, "Could not rotate this page", view.error());
  store_edit(*page, rotate_clockwise(view.value()),
             "Text recognition needs updating after rotation.");
  refresh_view_copy(state);
  state.notice.reset();
  app::show_scan_view(state);
}

void apply_crop(app::State& state) {
  const app::CropSelection selection = state.crop_selection.get();
  if (is_whole_page(selection)) return;
  app::ScannedPage* page = current_page(state);
  if (!page) {
    app::show_scan_view(state);
    return;
  }
  if (!crop_selection_valid(selection)) {
    return fail(state, "Could not crop this page", "crop selection was invalid");
  }
  auto view = rgba_view(page->pixels, page->width, page->height);
  if (!view) return fail(state, "Could not crop this page", view.error());
  const PixelRect rect = crop_rectangle(selection, view->width, view->height);
  store_edit(*page, crop(view.value(), rect), "Text recognition needs updating after cropping.");
  refresh_view_copy(state);
  reset_selection(state);
  state.notice.reset();
  app::show_scan_view(state);
}

}  // namespace scan
