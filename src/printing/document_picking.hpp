#pragma once
// Choosing the document to print and starting its preview.

#include <optional>
#include <string>

#include "app/snapshot.hpp"
#include "app/state.hpp"
#include "platform/picker.hpp"

namespace printing {

// "Choose a document to print": PDF, PNG, JPEG and plain text first, every
// other file still selectable.
platform::PickRequest document_pick_request();

// The default queue, else the first one; none without a readable list.
std::optional<std::string> preselected_printer(const std::optional<app::Snapshot>& snapshot);

// Starts the preview worker for `selected_document`, abandoning any earlier
// one. A worker that cannot start leaves a disconnected channel behind, so
// the next poll shows the preview as unavailable.
void start_preview(app::State& state);

// The picker could not be opened or failed: the notice and the dashboard.
void on_document_picker_failed(app::State& state);

}  // namespace printing
