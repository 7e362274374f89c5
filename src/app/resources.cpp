#include "app/resources.hpp"

#include <nlohmann/json.hpp>

#include "app/operation.hpp"
#include "devices/records.hpp"

namespace app {
namespace {

std::string with_argument(std::string_view command, std::string_view argument) {
  std::string payload(command);
  payload.push_back('\0');
  payload.append(argument);
  return payload;
}

void add_action(ui::Resource& resource, std::string id, std::string label, std::uint8_t kind,
                std::string_view payload) {
  if (auto action = operation_action(std::move(id), std::move(label), kind, payload)) {
    resource.actions.push_back(std::move(*action));
  }
}

ui::Resource printer_resource(const devices::PrinterQueue& printer) {
  ui::Resource r{"orvane.printer." + hex_id(printer.name),
                 "orvane.printer",
                 devices::display_name(printer.name),
                 {},
                 {}};
  add_action(r, "open", "Open printer", kNavigation, with_argument("device", printer.name));
  if (!printer.is_default) {
    add_action(r, "set-default", "Set as default printer", kCommand,
               with_argument("default", printer.name));
  }
  if (printer.accepting_jobs) {
    add_action(r, "toggle-enabled", "Pause printer", kCommand,
               with_argument("pause", printer.name));
  } else {
    add_action(r, "toggle-enabled", "Resume printer", kCommand,
               with_argument("resume", printer.name));
  }
  return r;
}

ui::Resource job_resource(const devices::PrintJob& job) {
  using devices::JobState;
  ui::Resource r{
      "orvane.job." + hex_id(job.id), "orvane.job", devices::job_display_title(job), {}, {}};
  add_action(r, "open-queue", "Open queue", kNavigation, "queue");
  if (devices::is_active(job)) {
    add_action(r, "cancel", "Cancel document", kCommand, with_argument("cancel", job.id));
  }
  if (job.state == JobState::Stopped || job.state == JobState::Canceled ||
      job.state == JobState::Aborted) {
    add_action(r, "retry", "Print again", kCommand, with_argument("retry", job.id));
  }
  return r;
}

ui::Resource scanner_resource(const devices::Scanner& scanner) {
  ui::Resource r{"orvane.scanner." + hex_id(scanner.id), "orvane.scanner", scanner.name, {}, {}};
  add_action(r, "scan", "Scan a document", kNavigation, with_argument("scan-device", scanner.id));
  return r;
}

}  // namespace

std::optional<ui::ActionSpec> operation_action(std::string id, std::string label,
                                               std::uint8_t execution_kind,
                                               std::string_view payload) {
  if (execution_kind != kCommand && execution_kind != kNavigation) return std::nullopt;
  std::string json;
  try {
    json = nlohmann::json(std::string(payload)).dump();
  } catch (const nlohmann::json::exception&) {
    return std::nullopt;  // not UTF-8: the action cannot be published
  }
  return ui::ActionSpec{std::move(id), std::move(label), execution_kind,
                        std::string(kOperationName), std::move(json)};
}

std::string hex_id(std::string_view text) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string out;
  out.reserve(text.size() * 2);
  for (unsigned char c : text) {
    out.push_back(kDigits[c >> 4]);
    out.push_back(kDigits[c & 0xf]);
  }
  return out;
}

std::vector<ui::Resource> build_resources(const std::optional<Snapshot>& snapshot) {
  ui::Resource app{"orvane", "orvane.dashboard", "Orvane", {}, {}};
  add_action(app, "refresh", "Refresh printers and documents", kCommand, "refresh");
  add_action(app, "open-dashboard", "Open dashboard", kNavigation, "dashboard");
  add_action(app, "open-queue", "Open print queue", kNavigation, "queue");
  add_action(app, "open-history", "Open print history", kNavigation, "history");
  add_action(app, "run-diagnostics", "Run printer diagnostics", kNavigation, "diagnostics");
  add_action(app, "find-printers", "Find network printers", kCommand, "discover");
  add_action(app, "print-document", "Print a document", kNavigation, "print");
  add_action(app, "scan-document", "Scan a document", kNavigation, "scan");
  if (snapshot) {
    if (snapshot->printers.ok()) {
      for (const auto& printer : snapshot->printers.value()) {
        app.children.push_back(printer_resource(printer));
      }
    }
    if (snapshot->jobs.ok()) {
      for (const auto& job : snapshot->jobs.value()) app.children.push_back(job_resource(job));
    }
    if (snapshot->scanners.ok()) {
      for (const auto& scanner : snapshot->scanners.value()) {
        app.children.push_back(scanner_resource(scanner));
      }
    }
  }
  return {std::move(app)};
}

}  // namespace app
