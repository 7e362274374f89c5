#include "scan/capture.hpp"

#include <memory>
#include <utility>

#include "platform/worker.hpp"
#include "scan/document.hpp"
#include "scan/image_codec.hpp"
#include "scan/recognition.hpp"

namespace scan {

platform::Result<app::ScannedPage> capture_page(const ScanRequest& request,
                                                devices::PrintScanService& service) {
  auto scanned = service.scan_page(request.scanner_id, request.options);
  if (!scanned) return platform::err(scanned.error());
  auto encoded = std::make_shared<const std::vector<std::uint8_t>>(std::move(scanned.value()));

  auto decoded = decode_image(*encoded);
  if (!decoded) return platform::err("scanner returned an invalid image: " + decoded.error());
  RgbaImage rgba = to_rgba(decoded.value());
  if (rgba.pixels.empty()) {
    return platform::err(std::string("scanner returned an invalid image: ") +
                         "the image could not be converted to RGBA");
  }
  app::RecognitionText text = describe_recognition(decoded.value(), request.language_code);

  app::ScannedPage page;
  page.status_text = std::move(text.status_text);
  page.language_name = std::string(request.language_name);
  page.recognized_text = std::move(text.recognized_text);
  page.encoded_image = std::move(encoded);
  page.width = rgba.width;
  page.height = rgba.height;
  page.pixels = std::make_shared<const std::vector<std::uint8_t>>(std::move(rgba.pixels));
  return page;
}

void scan_worker(const ScanRequest& request, devices::PrintScanService& service) {
  request.sender.send(app::msg::ScanFinished{capture_page(request, service)});
}

void start_scan(app::State& state) {
  if (!state.selected_scanner) return;
  ScanRequest request = make_scan_request(*state.selected_scanner, state.resolution_choice.get(),
                                          state.color_choice.get(), state.source_choice.get(),
                                          state.language_choice.get(), state.message_sender);
  state.scan_in_progress = true;
  app::show_scan_view(state);
  // A thread that cannot be started is not reported; the flag then stays set
  // until the user leaves the scan view.
  platform::spawn_worker("qiro-scan-document",
                         [request = std::move(request), service = state.services.service] {
                           scan_worker(request, *service);
                         });
}

void scan_finished(app::State& state, app::msg::ScanFinished& message) {
  state.scan_in_progress = false;
  if (!message.outcome) {
    // The worker's own error text is not shown.
    state.notice =
        app::Notice{"Could not scan this page",
                    "Check that the scanner is connected and the paper is positioned, then try "
                    "again.",
                    false};
    app::show_scan_view(state);
    return;
  }
  state.scanned_pages.push_back(std::move(message.outcome.value()));
  state.current_page_index = state.scanned_pages.size() - 1;
  state.current_page_view = state.scanned_pages.back();
  reset_selection(state);
  app::show_scan_view(state);
}

}  // namespace scan
