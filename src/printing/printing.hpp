#pragma once
// Printing a picked document: the picker, the preview, the print view and the
// submission. Everything here runs on the UI thread except the workers it
// starts.
//
// The pieces behind these entry points: document_picking.hpp (the picker
// request, the preselected printer, the preview worker), copies.hpp,
// document_name.hpp and preview_image_service.hpp (Qt and poppler).

#include <memory>
#include <optional>
#include <string>

#include "app/message.hpp"
#include "app/snapshot.hpp"
#include "app/state.hpp"
#include "devices/preview_service.hpp"
#include "platform/cell.hpp"
#include "ui/widget.hpp"

namespace printing {

// Handles PrintDocument, ChoosePrinter, SubmitPrint and CancelPrint; false
// for every other kind (the message is then left untouched).
bool dispatch(app::State& state, app::Message& message);

// A path came back from the document picker.
void on_document_picked(app::State& state, const std::string& path);

// The print view, built from the state's parts (pure).
ui::WidgetPtr print_view(const app::Snapshot& snapshot, const std::string& document_path,
                         const app::PreviewState& preview,
                         const std::optional<std::string>& selected_printer,
                         const platform::Cell<double>& copies,
                         const platform::Cell<bool>& two_sided, const app::MessageSender& sender);

// The real preview image service (PDF first page, images, text files).
devices::PreviewServicePtr make_preview_service();

}  // namespace printing
