#include "printing/document_picking.hpp"

#include <utility>

#include "platform/channel.hpp"
#include "platform/worker.hpp"
#include "printing/preview_image_service.hpp"
#include "printing/printing.hpp"

namespace printing {

platform::PickRequest document_pick_request() {
  platform::PickRequest request;
  request.mode = platform::PickMode::Open;
  request.title = "Choose a document to print";
  request.accept_label = "Choose";
  request.thread_name = "orvane-document-picker";
  request.filters.push_back(platform::FileFilter{
      "Documents and images", {"application/pdf", "image/png", "image/jpeg", "text/plain"}, {}});
  // No types and no patterns: every file.
  request.filters.push_back(platform::FileFilter{"All files", {}, {}});
  return request;
}

std::optional<std::string> preselected_printer(const std::optional<app::Snapshot>& snapshot) {
  if (!snapshot || !snapshot->printers.ok()) return std::nullopt;
  const auto& queues = snapshot->printers.value();
  for (const devices::PrinterQueue& queue : queues) {
    if (queue.is_default) return queue.name;
  }
  if (queues.empty()) return std::nullopt;
  return queues.front().name;
}

void start_preview(app::State& state) {
  if (!state.selected_document) return;
  auto [sender, receiver] = platform::oneshot<std::optional<devices::PreviewImage>>();
  state.preview = app::PreviewLoading{};
  state.preview_receiver = std::move(receiver);
  platform::spawn_worker("qiro-print-preview",
                         [sender = std::move(sender), path = *state.selected_document,
                          service = state.services.preview] {
                           // Without a preview service the worker ends without sending, which the
                           // poll reads as "no picture".
                           if (!service) return;
                           const std::uint8_t category = service->category_for_path(path);
                           sender.send(service->generate(path, category, kMaxPreviewSide));
                         });
}

void on_document_picker_failed(app::State& state) {
  state.notice = app::Notice{"Could not open the file picker",
                             "Try again, or print from the document's app.", false};
  app::show_dashboard(state);
}

void on_document_picked(app::State& state, const std::string& path) {
  state.selected_document = path;
  state.selected_printer = preselected_printer(state.snapshot);
  start_preview(state);
  app::show_print_view(state);
}

}  // namespace printing
