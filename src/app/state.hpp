#pragma once
// The whole application state. The root widget `Orvane` owns one State and
// nothing else writes it; every handler below runs on the UI thread.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/message.hpp"
#include "app/notice.hpp"
#include "app/scanned_page.hpp"
#include "app/snapshot.hpp"
#include "devices/preview_service.hpp"
#include "devices/service.hpp"
#include "platform/cell.hpp"
#include "platform/channel.hpp"
#include "platform/picker.hpp"
#include "ui/widget.hpp"

namespace app {

// The preview of the document picked for printing.
struct PreviewLoading {
  friend bool operator==(const PreviewLoading&, const PreviewLoading&) = default;
};
struct PreviewReady {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  SharedBytes pixels;  // RGBA
  friend bool operator==(const PreviewReady&, const PreviewReady&) = default;
};
struct PreviewUnavailable {
  friend bool operator==(const PreviewUnavailable&, const PreviewUnavailable&) = default;
};
using PreviewState = std::variant<PreviewLoading, PreviewReady, PreviewUnavailable>;

enum class SaveKind { Page, Document };

// What the state reaches outside itself: the device service, the preview
// service and the host's picker and clipboard. Shared with workers.
struct Services {
  devices::ServicePtr service;
  devices::PreviewServicePtr preview;
  platform::HostServices host;
};

struct State {
  Services services;

  ui::WidgetPtr content;
  bool content_replaced = false;  // the host must realize `content` anew
  std::optional<platform::Receiver<Snapshot>> refresh_receiver;
  MessageSender message_sender;
  MessageReceiver message_receiver;
  std::optional<Snapshot> snapshot;
  std::optional<Notice> notice;
  std::optional<std::string> cancel_candidate;
  std::optional<platform::Receiver<platform::PickOutcome>> document_picker;
  std::optional<std::string> selected_document;
  PreviewState preview = PreviewUnavailable{};
  std::optional<platform::Receiver<std::optional<devices::PreviewImage>>> preview_receiver;
  std::optional<std::string> selected_printer;
  platform::Cell<double> copies{1.0};
  platform::Cell<bool> two_sided{false};
  std::optional<std::string> selected_scanner;
  platform::Cell<std::size_t> resolution_choice{1};
  platform::Cell<std::size_t> color_choice{0};
  platform::Cell<std::size_t> source_choice{0};
  platform::Cell<std::size_t> language_choice{0};
  platform::Cell<CropSelection> crop_selection{CropSelection{}};
  std::optional<ScannedPage> current_page_view;
  std::vector<ScannedPage> scanned_pages;
  std::optional<platform::Receiver<platform::PickOutcome>> save_picker;
  std::size_t current_page_index = 0;
  SaveKind save_kind = SaveKind::Page;
  bool scan_in_progress = false;
};

// Replaces the current view whole.
void set_content(State& state, ui::WidgetPtr view);

// The three rebuilds other parts ask for by name.
void show_dashboard(State& state);
void show_scan_view(State& state);
void show_print_view(State& state);

// Starts a snapshot refresh, replacing (abandoning) any refresh under way.
void start_refresh(State& state);

// Starts a worker that makes one service call and reports how it went with
// the prepared notice texts.
struct NoticeTexts {
  std::string success_title;
  std::string success_detail;
  std::string failure_title;
  std::string failure_detail;
};
void start_operation_worker(const State& state, const std::string& thread_name, NoticeTexts texts,
                            std::function<platform::Status(devices::PrintScanService&)> call);

}  // namespace app
