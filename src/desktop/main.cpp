// orvane: the application window, its preview scenarios, screenshots and
// tree dumps of them, and the desktop actions.

#include <QApplication>
#include <QGuiApplication>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <span>
#include <string>

#include "app/orvane.hpp"
#include "desktop/bus_service.hpp"
#include "desktop/launch_options.hpp"
#include "devices/system/system_service.hpp"
#include "platform/atomic_file.hpp"
#include "platform/launch.hpp"
#include "printing/printing.hpp"
#include "qt/host.hpp"
#include "ui/tree_json.hpp"

namespace {

std::unique_ptr<app::Orvane> build_root(const desktop::LaunchOptions& options,
                                        platform::HostServices host) {
  app::Services services{devices::make_system_service(), printing::make_preview_service(),
                         std::move(host)};
  if (options.scenario) {
    return app::Orvane::for_scenario(platform::scenario_number(*options.scenario),
                                     std::move(services));
  }
  return app::Orvane::create(std::move(services));
}

int fail(const std::string& text) {
  std::fprintf(stderr, "orvane: %s\n", text.c_str());
  return 1;
}

int dump_tree(const desktop::LaunchOptions& options) {
  auto root = build_root(options, {});
  const std::string json = ui::tree_to_json(root->content()) + '\n';
  const auto status = platform::write_file_atomically(
      *options.dump_tree,
      std::span(reinterpret_cast<const std::uint8_t*>(json.data()), json.size()));
  return status.ok() ? 0 : fail("could not write " + *options.dump_tree + ": " + status.error());
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  const auto parsed = desktop::parse_launch_options(args);
  if (!parsed.error.empty()) {
    std::fprintf(stderr, "orvane: %s\n%s", parsed.error.c_str(), desktop::kUsage);
    return 2;
  }
  const auto& options = parsed.options;
  if (options.help) {
    std::fputs(desktop::kUsage, stdout);
    return 0;
  }
  const auto size = platform::window_size(options.scenario);

  if (options.dump_tree) return dump_tree(options);

  if (options.screenshot) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    auto root = build_root(options, {});
    auto status = qthost::render_offscreen(std::move(root), size,
                                           QString::fromStdString(*options.screenshot));
    return status.ok() ? 0 : fail(status.error());
  }

  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
      qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
    return fail("no display found (set DISPLAY or WAYLAND_DISPLAY, or QT_QPA_PLATFORM=offscreen)");
  }
  QApplication application(argc, argv);
  QGuiApplication::setDesktopFileName(QString::fromLatin1(desktop::kBusName));
  QGuiApplication::setApplicationDisplayName(QStringLiteral("Orvane"));

  // A desktop action goes to the instance that is already running, if any.
  if (options.action &&
      desktop::forward_action_to_running_instance(QString::fromStdString(*options.action))) {
    return 0;
  }

  qthost::HostWindow window(build_root(options, qthost::make_host_services()));
  window.resize(size.width, size.height);
  desktop::BusService bus([&window]() -> ui::Widget* { return &window.root(); },
                          [&window] { window.schedule_update(); });
  if (!bus.publish()) {
    std::fprintf(stderr, "orvane: not published on the session bus (none, or name taken)\n");
  }
  window.show();
  if (options.action) {
    window.root().resource_operation(
        2, "orvane.operation",
        desktop::action_payload(QString::fromStdString(*options.action)).toStdString());
    window.schedule_update();
  }
  return QApplication::exec();
}
