#include "app/state.hpp"

#include <utility>

#include "platform/worker.hpp"
#include "printing/printing.hpp"
#include "scan/scan.hpp"
#include "views/views.hpp"

namespace app {

void set_content(State& state, ui::WidgetPtr view) {
  state.content = std::move(view);
  state.content_replaced = true;
}

void show_dashboard(State& state) {
  if (!state.snapshot) {
    set_content(state, views::first_printer_view(state.message_sender));
    return;
  }
  set_content(state, views::dashboard_view(*state.snapshot, state.notice, state.message_sender));
}

void show_scan_view(State& state) {
  if (!state.snapshot) return;
  const scan::ScanViewInput input{
      .snapshot = *state.snapshot,
      .selected_scanner = state.selected_scanner,
      .resolution_choice = state.resolution_choice,
      .color_choice = state.color_choice,
      .source_choice = state.source_choice,
      .language_choice = state.language_choice,
      .crop_selection = state.crop_selection,
      .current_page_view = state.current_page_view,
      .current_page_index = state.current_page_index,
      .page_count = state.scanned_pages.size(),
      .scan_in_progress = state.scan_in_progress,
      .notice = state.notice,
  };
  set_content(state, scan::scan_view(input, state.message_sender));
}

void show_print_view(State& state) {
  if (!state.snapshot || !state.selected_document) return;
  set_content(state, printing::print_view(*state.snapshot, *state.selected_document, state.preview,
                                          state.selected_printer, state.copies, state.two_sided,
                                          state.message_sender));
}

void start_refresh(State& state) {
  auto [sender, receiver] = platform::oneshot<Snapshot>();
  const bool started = platform::spawn_worker(
      "qiro-orvane-refresh", [sender = std::move(sender), service = state.services.service] {
        // Each list is read to completion in this order; a failure of one
        // never hides the other two.
        auto printers = service->queues();
        auto jobs = service->jobs();
        auto scanners = service->scanners();
        sender.send(Snapshot{std::move(printers), std::move(jobs), std::move(scanners)});
      });
  if (started) {
    state.refresh_receiver = std::move(receiver);
  } else {
    state.refresh_receiver.reset();
  }
}

void start_operation_worker(const State& state, const std::string& thread_name, NoticeTexts texts,
                            std::function<platform::Status(devices::PrintScanService&)> call) {
  platform::spawn_worker(thread_name, [sender = state.message_sender,
                                       service = state.services.service, texts = std::move(texts),
                                       call = std::move(call)]() mutable {
    const bool succeeded = call(*service).ok();
    call = nullptr;
    Notice notice =
        succeeded ? Notice{std::move(texts.success_title), std::move(texts.success_detail), true}
                  : Notice{std::move(texts.failure_title), std::move(texts.failure_detail), false};
    sender.send(msg::OperationFinished{std::move(notice)});
  });
}

}  // namespace app
