#pragma once
// Scanning: the scan view on both faces, the scanned document and its page
// tools, recognition of pages and saving them.

#include <cstddef>
#include <optional>
#include <string>

#include "app/message.hpp"
#include "app/state.hpp"
#include "ui/widget.hpp"

namespace scan {

// Handles OpenScan, SelectScanner, StartScan, ScanFinished, SaveScannedPage,
// SaveScannedDocument, CopyRecognizedText, ScanAnotherPage, PreviousPage,
// NextPage, MovePageEarlier, MovePageLater, DeletePage, RotatePage,
// ApplyCrop, RecognizePage and RecognitionFinished; false for every other
// kind (the message is then left untouched).
bool dispatch(app::State& state, app::Message& message);

// A path came back from the save picker for a page or the whole document.
// The file is written by a worker: after a rotate or crop the page's
// `encoded_image` is a stand-in for a PNG still being made off the UI thread
// (scan/deferred_png.hpp), which that worker waits for.
void on_save_picked(app::State& state, app::SaveKind kind, const std::string& path);

// Everything the scan view is built from.
struct ScanViewInput {
  const app::Snapshot& snapshot;
  const std::optional<std::string>& selected_scanner;
  const platform::Cell<std::size_t>& resolution_choice;
  const platform::Cell<std::size_t>& color_choice;
  const platform::Cell<std::size_t>& source_choice;
  const platform::Cell<std::size_t>& language_choice;
  const platform::Cell<app::CropSelection>& crop_selection;
  const std::optional<app::ScannedPage>& current_page_view;
  std::size_t current_page_index;
  std::size_t page_count;
  bool scan_in_progress;
  const std::optional<app::Notice>& notice;
};

// The scan view, on its settings face or its result face (pure).
ui::WidgetPtr scan_view(const ScanViewInput& input, const app::MessageSender& sender);

}  // namespace scan
