#include "app/dispatch.hpp"

#include <algorithm>
#include <utility>

#include "platform/worker.hpp"
#include "printing/printing.hpp"
#include "scan/scan.hpp"
#include "views/views.hpp"

namespace app {
namespace {

using devices::display_name;

template <class... Ts>
struct Overloaded : Ts... {
  using Ts::operator()...;
};
// clang 14 (clang-tidy, the fuzz build) deduces aggregates only with a guide.
template <typename... Ts>
Overloaded(Ts...) -> Overloaded<Ts...>;

const devices::PrinterQueue* find_printer(const State& state, const std::string& queue) {
  if (!state.snapshot || !state.snapshot->printers.ok()) return nullptr;
  const auto& printers = state.snapshot->printers.value();
  auto it = std::find_if(printers.begin(), printers.end(),
                         [&](const devices::PrinterQueue& p) { return p.name == queue; });
  return it == printers.end() ? nullptr : &*it;
}

void open_queue(State& state) {
  if (!state.snapshot) return;
  set_content(state, views::queue_view(*state.snapshot, state.cancel_candidate, state.notice,
                                       state.message_sender));
}

void discover(State& state) {
  set_content(state, views::add_printer_view(std::nullopt, state.message_sender));
  platform::spawn_worker("qiro-printer-discovery",
                         [sender = state.message_sender, service = state.services.service] {
                           sender.send(msg::DiscoveryFinished{service->discover_driverless()});
                         });
}

void operation_finished(State& state, Notice notice) {
  state.notice = std::move(notice);
  if (state.current_page_view) {
    show_scan_view(state);
    return;
  }
  start_refresh(state);
}

void add_printer(State& state, devices::DiscoveredPrinter printer) {
  const std::string name = display_name(printer.name);
  start_operation_worker(
      state, "qiro-add-printer",
      {"Printer added", name + " is ready for your apps.", "Could not add printer",
       "Check that " + name + " is awake and connected, then try again."},
      [uri = std::move(printer.uri), raw = std::move(printer.name)](auto& service) {
        return service.add_driverless(uri, raw);
      });
}

void set_default_printer(State& state, std::string queue) {
  const std::string name = display_name(queue);
  start_operation_worker(
      state, "qiro-default-printer",
      {"Preferred printer changed",
       "New documents will use " + name + " unless you choose another printer.",
       "Could not change the preferred printer",
       name + " is still available; try again in a moment."},
      [queue = std::move(queue)](auto& service) { return service.set_default(queue); });
}

void set_printer_enabled(State& state, std::string queue, bool enabled) {
  NoticeTexts texts =
      enabled ? NoticeTexts{"Printer resumed", "Waiting documents can print now.",
                            "Could not resume printer",
                            "Nothing changed. Check the printer connection and try again."}
              : NoticeTexts{"Printer paused", "Documents will wait until you resume it.",
                            "Could not pause printer",
                            "Nothing changed. Check the printer connection and try again."};
  start_operation_worker(state, "qiro-toggle-printer", std::move(texts),
                         [queue = std::move(queue), enabled](auto& service) {
                           return service.set_enabled(queue, enabled);
                         });
}

void cancel_job(State& state, std::string job_id) {
  state.cancel_candidate.reset();
  start_operation_worker(
      state, "qiro-cancel-print-job",
      {"Document canceled", "It was removed from the printer.", "Could not cancel document",
       "The document may still print. Check the queue and try again."},
      [job_id = std::move(job_id)](auto& service) { return service.cancel_job(job_id); });
}

void retry_job(State& state, std::string job_id) {
  start_operation_worker(
      state, "qiro-retry-print-job",
      {"Document sent again", "It is back in the print queue.", "Could not try again",
       "Check the printer, then try again."},
      [job_id = std::move(job_id)](auto& service) { return service.retry_job(job_id); });
}

}  // namespace

void dispatch(State& state, Message message) {
  if (printing::dispatch(state, message)) return;
  if (scan::dispatch(state, message)) return;
  std::visit(
      Overloaded{
          [&](msg::Refresh&) {
            state.notice.reset();
            set_content(state, views::loading_view());
            start_refresh(state);
          },
          [&](msg::ReturnToDashboard&) {
            state.current_page_view.reset();
            state.scan_in_progress = false;
            show_dashboard(state);
          },
          [&](msg::OpenQueue&) { open_queue(state); },
          [&](msg::OpenHistory&) {
            if (state.snapshot) {
              set_content(state, views::history_view(*state.snapshot, state.message_sender));
            }
          },
          [&](msg::OpenDiagnostics&) {
            if (state.snapshot) {
              set_content(state, views::diagnostics_view(*state.snapshot, state.message_sender));
            }
          },
          [&](msg::DiscoverPrinters&) { discover(state); },
          [&](msg::DiscoveryFinished& m) {
            set_content(state, views::add_printer_view(std::move(m.result), state.message_sender));
          },
          [&](msg::AddPrinter& m) { add_printer(state, std::move(m.printer)); },
          [&](msg::OpenPrinter& m) {
            if (const auto* printer = find_printer(state, m.queue)) {
              set_content(state, views::printer_controls_view(*printer, state.message_sender));
            }
          },
          [&](msg::SetDefaultPrinter& m) { set_default_printer(state, std::move(m.queue)); },
          [&](msg::SetPrinterEnabled& m) {
            set_printer_enabled(state, std::move(m.queue), m.enabled);
          },
          [&](msg::AskCancelJob& m) {
            state.cancel_candidate = std::move(m.job_id);
            open_queue(state);
          },
          [&](msg::CancelJob& m) { cancel_job(state, std::move(m.job_id)); },
          [&](msg::RetryJob& m) { retry_job(state, std::move(m.job_id)); },
          [&](msg::OperationFinished& m) { operation_finished(state, std::move(m.notice)); },
          // The printing and scanning kinds were handled above.
          [&](auto&) {},
      },
      message);
}

}  // namespace app
