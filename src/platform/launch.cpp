#include "platform/launch.hpp"

namespace platform {

std::uint8_t scenario_number(std::optional<std::string_view> name) {
  if (!name) return 0;
  for (const auto& scenario : kScenarios) {
    if (scenario.name == *name) return scenario.number;
  }
  return 0;
}

WindowSize window_size(std::optional<std::string_view> name) {
  if (name && (*name == "narrow" || *name == "print-narrow" || *name == "scan-result-narrow" ||
               *name == "service-error-narrow")) {
    return {520, 820};
  }
  return {1280, 800};
}

}  // namespace platform
