#include <optional>
#include <string>
#include <type_traits>
#include <utility>
#include <variant>

#include "devices/records.hpp"
#include "printing/copies.hpp"
#include "printing/document_name.hpp"
#include "printing/document_picking.hpp"
#include "printing/printing.hpp"

namespace printing {
namespace {

void abandon_preview(app::State& state) {
  state.preview = app::PreviewUnavailable{};
  state.preview_receiver.reset();
}

void reset_print_options(app::State& state) {
  state.copies.set(1.0);
  state.two_sided.set(false);
}

void print_document(app::State& state) {
  if (state.document_picker) return;
  reset_print_options(state);
  abandon_preview(state);
  const std::shared_ptr<platform::FilePicker> picker = state.services.host.picker;
  if (!picker) {
    on_document_picker_failed(state);
    return;
  }
  platform::Receiver<platform::PickOutcome> outcome = picker->pick(document_pick_request());
  if (!outcome) {
    // The picker could not be started; waiting for an outcome would leave a
    // dead receiver polled forever.
    on_document_picker_failed(state);
    return;
  }
  state.document_picker = std::move(outcome);
}

void choose_printer(app::State& state, std::string queue) {
  state.selected_printer = std::move(queue);
  app::show_print_view(state);
}

void submit_print(app::State& state) {
  std::optional<std::string> path = std::exchange(state.selected_document, std::nullopt);
  std::optional<std::string> queue = std::exchange(state.selected_printer, std::nullopt);
  if (!path || !queue) return;

  const std::string document = document_name_for_notice(*path);
  const std::string printer = devices::display_name(*queue);
  abandon_preview(state);
  const std::uint16_t copies = copies_for_submission(state.copies.get());
  const bool two_sided = state.two_sided.get();

  app::NoticeTexts texts{
      .success_title = "Document sent to printer",
      .success_detail = document + " was sent to " + printer + ".",
      .failure_title = "Could not print document",
      .failure_detail = document + " was not sent. Check the printer and try again.",
  };
  app::start_operation_worker(state, "qiro-print-document", std::move(texts),
                              [queue = std::move(*queue), path = std::move(*path), copies,
                               two_sided](devices::PrintScanService& service) {
                                return service.print_document(queue, path, copies, two_sided);
                              });
}

void cancel_print(app::State& state) {
  state.selected_document.reset();
  abandon_preview(state);
  state.selected_printer.reset();
  reset_print_options(state);
  app::show_dashboard(state);
}

}  // namespace

bool dispatch(app::State& state, app::Message& message) {
  return std::visit(
      [&](auto& kind) {
        using Kind = std::decay_t<decltype(kind)>;
        if constexpr (std::is_same_v<Kind, app::msg::PrintDocument>) {
          print_document(state);
        } else if constexpr (std::is_same_v<Kind, app::msg::ChoosePrinter>) {
          choose_printer(state, std::move(kind.queue));
        } else if constexpr (std::is_same_v<Kind, app::msg::SubmitPrint>) {
          submit_print(state);
        } else if constexpr (std::is_same_v<Kind, app::msg::CancelPrint>) {
          cancel_print(state);
        } else {
          return false;
        }
        return true;
      },
      message);
}

}  // namespace printing
