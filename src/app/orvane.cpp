#include "app/orvane.hpp"

#include <utility>

#include "app/dispatch.hpp"
#include "app/operation.hpp"
#include "app/resources.hpp"
#include "printing/document_picking.hpp"
#include "printing/printing.hpp"
#include "scan/scan.hpp"
#include "views/views.hpp"

namespace app {
namespace {

constexpr const char* kPickerStopped = "The file picker stopped responding";

// A picker poll: nothing yet, or the outcome (a closed channel counts as a
// failure of the picker).
std::optional<platform::PickOutcome> poll_picker(platform::Receiver<platform::PickOutcome>& r) {
  auto received = r.try_recv();
  switch (received.status) {
    case platform::RecvStatus::Value:
      return std::move(*received.value);
    case platform::RecvStatus::Disconnected:
      return platform::PickFailed{kPickerStopped};
    case platform::RecvStatus::Empty:
      break;
  }
  return std::nullopt;
}

}  // namespace

Orvane::Orvane(Services services) {
  state_.services = std::move(services);
  auto [sender, receiver] = platform::channel<Message>();
  state_.message_sender = std::move(sender);
  state_.message_receiver = std::move(receiver);
}

std::unique_ptr<Orvane> Orvane::create(Services services) {
  std::unique_ptr<Orvane> root(new Orvane(std::move(services)));
  set_content(root->state_, views::loading_view());
  start_refresh(root->state_);
  return root;
}

void Orvane::sync(ui::Context& context) {
  if (state_.content) state_.content->sync(context);
}

bool Orvane::poll_document_picker() {
  if (!state_.document_picker) return false;
  auto outcome = poll_picker(*state_.document_picker);
  if (!outcome) return false;
  state_.document_picker.reset();
  if (auto* picked = std::get_if<platform::PickedPath>(&*outcome)) {
    printing::on_document_picked(state_, picked->path);
  } else if (std::holds_alternative<platform::PickFailed>(*outcome)) {
    printing::on_document_picker_failed(state_);
  }
  return true;
}

bool Orvane::poll_preview() {
  if (!state_.preview_receiver) return false;
  auto received = state_.preview_receiver->try_recv();
  if (received.status == platform::RecvStatus::Empty) return false;
  state_.preview_receiver.reset();
  if (received.value && *received.value && (*received.value)->pixels) {
    const auto& image = **received.value;
    state_.preview = PreviewReady{image.width, image.height, image.pixels};
  } else {
    state_.preview = PreviewUnavailable{};
  }
  show_print_view(state_);
  return true;
}

bool Orvane::poll_save_picker() {
  if (!state_.save_picker) return false;
  auto outcome = poll_picker(*state_.save_picker);
  if (!outcome) return false;
  state_.save_picker.reset();
  const SaveKind kind = std::exchange(state_.save_kind, SaveKind::Page);
  if (auto* picked = std::get_if<platform::PickedPath>(&*outcome)) {
    scan::on_save_picked(state_, kind, picked->path);
  } else if (std::holds_alternative<platform::PickFailed>(*outcome)) {
    state_.notice =
        Notice{"Could not open the file picker", "Try saving the scanned page again.", false};
    show_scan_view(state_);
  }
  return true;
}

bool Orvane::poll_refresh() {
  if (!state_.refresh_receiver) return false;
  auto received = state_.refresh_receiver->try_recv();
  if (received.status != platform::RecvStatus::Value) return false;
  state_.refresh_receiver.reset();
  state_.snapshot = std::move(*received.value);
  show_dashboard(state_);
  return true;
}

bool Orvane::update(ui::Context& context) {
  const bool applied =
      poll_document_picker() || poll_preview() || poll_save_picker() || poll_refresh() || [&] {
        auto message = state_.message_receiver.try_take();
        if (!message) return false;
        dispatch(state_, std::move(*message));
        return true;
      }();
  if (!applied) return state_.content ? state_.content->update(context) : false;
  sync(context);
  return true;
}

bool Orvane::needs_idle_sync() const {
  return state_.refresh_receiver || state_.document_picker || state_.save_picker;
}

std::vector<std::string> Orvane::own_operation_names() const {
  return {std::string(kOperationName)};
}

std::vector<ui::Resource> Orvane::resources() const { return build_resources(state_.snapshot); }

ui::OperationOutcome Orvane::resource_operation(std::uint8_t execution_kind, std::string_view name,
                                                std::string_view payload) {
  auto parsed = parse_operation(execution_kind, name, payload);
  if (std::holds_alternative<NotMine>(parsed)) return ui::OperationOutcome::not_handled();
  if (auto* error = std::get_if<OperationError>(&parsed)) {
    return ui::OperationOutcome::failed(std::move(error->message));
  }
  dispatch(state_, std::move(std::get<Message>(parsed)));
  return ui::OperationOutcome::handled();
}

bool Orvane::take_structure_dirty() {
  const bool replaced = std::exchange(state_.content_replaced, false);
  const bool inner = state_.content && state_.content->take_structure_dirty();
  return replaced || inner;
}

}  // namespace app
