#pragma once
// The file picker as a real Qt file dialog, opened without blocking the event
// loop (the desktop's own portal dialog where the platform theme offers one).
// The dialog holds the sender of the request's channel: accepting sends the
// path, cancelling sends PickCancelled, and a dialog destroyed without an
// answer drops the sender, which the receiver sees as a closed channel.

#include <QStringList>

#include "platform/picker.hpp"

class QFileDialog;

namespace qthost {

// "Documents and images (*.pdf *.png ...)" lines for the dialog; a filter
// with neither types nor patterns matches all files.
QStringList name_filters(const std::vector<platform::FileFilter>& filters);

class QtFilePicker final : public platform::FilePicker {
 public:
  // Opens the dialog on the GUI thread; from another thread the opening is
  // queued there. Never blocks.
  platform::Receiver<platform::PickOutcome> pick(const platform::PickRequest& request) override;
};

// Builds and shows the dialog for a request (GUI thread only).
QFileDialog* open_file_dialog(const platform::PickRequest& request,
                              platform::Sender<platform::PickOutcome> sender);

}  // namespace qthost
