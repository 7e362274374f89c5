#pragma once
// The Qt host's entry points: show a toolkit tree in a window, render it to
// a PNG file, and the host facilities (file picker, clipboard) that the
// application reaches through its root.

#include <QString>

#include "platform/launch.hpp"
#include "platform/picker.hpp"
#include "platform/result.hpp"
#include "qt/host_window.hpp"
#include "ui/widget.hpp"

namespace qthost {

// Shows `root` in a window of the given size (a zero size picks a default)
// and runs until the window closes; returns the exit code. Uses the running
// QApplication or creates one.
int run_window(ui::WidgetPtr root, platform::WindowSize size, const HostOptions& options = {});

// Renders `root` in a window of the given size, without showing it on
// screen, into a PNG file. Animations stand still, so the same tree gives the
// same bytes. Uses the running QApplication or creates an offscreen one.
platform::Status render_offscreen(ui::WidgetPtr root, platform::WindowSize size,
                                  const QString& png_path);

// The grabbed image itself, for callers that compare rather than save.
QImage grab_offscreen(ui::WidgetPtr root, platform::WindowSize size);

platform::HostServices make_host_services();

}  // namespace qthost
