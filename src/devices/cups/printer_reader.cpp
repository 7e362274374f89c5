#include "devices/cups/printer_reader.hpp"

#include <algorithm>
#include <array>
#include <cctype>
#include <string_view>

#include "devices/cups/ipp_message.hpp"

namespace devices::cups {
namespace {

std::string lowercase(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

bool unreachable_message(const std::string& message) {
  // The texts of the ipp, ipps, socket and lpd backends when the device does
  // not answer; cupsd runs its backends in the C locale.
  static constexpr std::array<std::string_view, 6> kPhrases = {
      "may not exist or is unavailable",
      "unable to locate printer",
      "is unreachable",
      "not responding",
      "waiting for printer to become available",
      "unable to connect",
  };
  const std::string lower = lowercase(message);
  return std::any_of(kPhrases.begin(), kPhrases.end(), [&](std::string_view phrase) {
    return lower.find(phrase) != std::string::npos;
  });
}

}  // namespace

const std::vector<const char*>& queue_attribute_names() {
  static const std::vector<const char*> kNames = {
      "printer-name",
      "printer-state",
      "printer-state-reasons",
      "printer-state-message",
      "printer-is-accepting-jobs",
      "printer-type",
      "device-uri",
      "printer-make-and-model",
      "marker-names",
      "marker-levels",
      "marker-colors",
      "marker-types",
  };
  return kNames;
}

std::optional<std::vector<Marker>> read_markers(const std::vector<std::string>& names,
                                                const std::vector<std::string>& colors,
                                                const std::vector<int>& levels) {
  if (names.empty()) return std::nullopt;
  std::vector<Marker> markers;
  markers.reserve(names.size());
  for (std::size_t i = 0; i < names.size(); ++i) {
    Marker marker;
    marker.name = names[i];
    if (i < colors.size() && !colors[i].empty() && colors[i] != "none") marker.color = colors[i];
    if (i < levels.size() && levels[i] >= 0) {
      marker.level = static_cast<std::uint8_t>(std::min(levels[i], 100));
    }
    markers.push_back(std::move(marker));
  }
  return markers;
}

PrinterState printer_state_of(int ipp_state, const std::vector<std::string>& reasons,
                              const std::string& message) {
  const bool offline = std::any_of(reasons.begin(), reasons.end(), [](const std::string& reason) {
    return lowercase(reason).find("offline") != std::string::npos;
  });
  if (offline) return PrinterState::Unreachable;
  switch (ipp_state) {
    case IPP_PSTATE_IDLE:
      return PrinterState::Idle;
    case IPP_PSTATE_PROCESSING:
      return unreachable_message(message) ? PrinterState::Unreachable : PrinterState::Processing;
    case IPP_PSTATE_STOPPED:
      return PrinterState::Stopped;
    default:
      return PrinterState::Unreachable;
  }
}

std::vector<std::string> reason_keywords(std::vector<std::string> reported) {
  reported.erase(std::remove(reported.begin(), reported.end(), "none"), reported.end());
  return reported;
}

std::vector<PrinterQueue> read_queues(ipp_t* response,
                                      const std::optional<std::string>& default_queue) {
  std::vector<PrinterQueue> queues;
  for (const AttributeGroup& group : groups_of(response, IPP_TAG_PRINTER)) {
    const auto name = text_of(group.find("printer-name"));
    if (!name || name->empty()) continue;
    PrinterQueue queue;
    queue.name = *name;
    queue.state_reasons = reason_keywords(texts_of(group.find("printer-state-reasons")));
    queue.markers =
        read_markers(texts_of(group.find("marker-names")), texts_of(group.find("marker-colors")),
                     integers_of(group.find("marker-levels")));
    const std::string message = text_of(group.find("printer-state-message")).value_or("");
    if (!message.empty()) queue.detail = message;
    queue.state = printer_state_of(integer_of(group.find("printer-state")).value_or(0),
                                   queue.state_reasons, message);
    queue.responding = queue.state != PrinterState::Unreachable;
    queue.accepting_jobs = boolean_of(group.find("printer-is-accepting-jobs")).value_or(false);
    queue.is_default = default_queue && *default_queue == queue.name;
    queues.push_back(std::move(queue));
  }
  return queues;
}

std::vector<std::pair<std::string, std::string>> read_device_uris(ipp_t* response) {
  std::vector<std::pair<std::string, std::string>> uris;
  for (const AttributeGroup& group : groups_of(response, IPP_TAG_PRINTER)) {
    const auto name = text_of(group.find("printer-name"));
    if (!name) continue;
    uris.emplace_back(*name, text_of(group.find("device-uri")).value_or(""));
  }
  return uris;
}

}  // namespace devices::cups
