#include "qt/host.hpp"

#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QPixmap>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <span>

#include "platform/atomic_file.hpp"

#include "qt/clipboard.hpp"
#include "qt/file_picker.hpp"

namespace qthost {
namespace {

constexpr platform::WindowSize kDefaultSize{1280, 800};
constexpr int kSettleRounds = 32;

// The running QApplication, or one made for the length of a call.
class ApplicationScope {
 public:
  explicit ApplicationScope(bool offscreen) {
    if (QCoreApplication::instance()) return;
    if (offscreen && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
      qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    owned_ = std::make_unique<QApplication>(argc_, argv_);
    QGuiApplication::setDesktopFileName(
        QString::fromUtf8(platform::kApplicationId.data(), platform::kApplicationId.size()));
  }
  bool usable() const { return qobject_cast<QApplication*>(QCoreApplication::instance()); }

 private:
  static inline char name_[] = "orvane";
  static inline char* argv_[] = {name_, nullptr};
  static inline int argc_ = 1;
  std::unique_ptr<QApplication> owned_;
};

bool display_available() {
  return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") ||
         !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

QSize window_size_or_default(platform::WindowSize size) {
  if (size.width <= 0 || size.height <= 0) size = kDefaultSize;
  return QSize(size.width, size.height);
}

// Applies what is pending and lets replaced widgets go, so the grab shows
// the settled tree.
void settle(HostWindow& window) {
  for (int round = 0; round < kSettleRounds; ++round) {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    if (!window.run_updates()) break;
  }
  QCoreApplication::processEvents();
}

}  // namespace

int run_window(ui::WidgetPtr root, platform::WindowSize size, const HostOptions& options) {
  if (!QCoreApplication::instance() && !display_available()) {
    std::fprintf(stderr,
                 "orvane: no display found (set DISPLAY or WAYLAND_DISPLAY, or "
                 "QT_QPA_PLATFORM=offscreen)\n");
    return 1;
  }
  ApplicationScope application(false);
  if (!application.usable()) {
    std::fprintf(stderr, "orvane: a non-GUI Qt application is already running\n");
    return 1;
  }
  HostWindow window(std::move(root), options);
  window.resize(window_size_or_default(size));
  window.show();
  return QApplication::exec();
}

QImage grab_offscreen(ui::WidgetPtr root, platform::WindowSize size) {
  ApplicationScope application(true);
  if (!application.usable()) return {};
  const int flash_time = QApplication::cursorFlashTime();
  QApplication::setCursorFlashTime(0);  // a blinking caret differs between grabs
  QImage image;
  {
    HostOptions options;
    options.frozen = true;
    HostWindow window(std::move(root), options);
    window.setAttribute(Qt::WA_DontShowOnScreen);
    window.resize(window_size_or_default(size));
    window.show();
    settle(window);
    image = window.grab().toImage();
  }
  QApplication::setCursorFlashTime(flash_time);
  return image;
}

platform::Status render_offscreen(ui::WidgetPtr root, platform::WindowSize size,
                                  const QString& png_path) {
  const QImage image = grab_offscreen(std::move(root), size);
  if (image.isNull()) return platform::err("could not render the window");
  // Written whole or not at all: a reader of the path never sees half a PNG,
  // and a failed write leaves an earlier shot in place.
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  if (!image.save(&buffer, "PNG")) return platform::err("could not encode the window as PNG");
  const std::string path = png_path.toStdString();
  auto written = platform::write_file_atomically(
      path, std::span(reinterpret_cast<const std::uint8_t*>(png.constData()),
                      static_cast<std::size_t>(png.size())));
  if (!written) return platform::err("could not write " + path + ": " + written.error());
  return written;
}

platform::HostServices make_host_services() {
  return {std::make_shared<QtFilePicker>(), std::make_shared<QtClipboard>()};
}

}  // namespace qthost
