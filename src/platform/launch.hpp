#pragma once
// What the launcher passes at start: the preview scenario name and the
// initial window size that follows from it.

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace platform {

inline constexpr std::string_view kApplicationId = "org.orvane.PrintScan";

struct WindowSize {
  int width = 0;
  int height = 0;
  friend bool operator==(const WindowSize&, const WindowSize&) = default;
};

struct ScenarioName {
  std::string_view name;
  std::uint8_t number;
};

inline constexpr std::array<ScenarioName, 16> kScenarios{{
    {"active", 1},
    {"attention", 2},
    {"empty", 3},
    {"narrow", 0},
    {"queue", 4},
    {"device", 5},
    {"discovery", 6},
    {"print", 7},
    {"print-narrow", 7},
    {"scan", 8},
    {"scan-result", 9},
    {"scan-result-narrow", 9},
    {"history", 10},
    {"diagnostics", 11},
    {"service-error", 12},
    {"service-error-narrow", 12},
}};

std::uint8_t scenario_number(std::optional<std::string_view> name);
WindowSize window_size(std::optional<std::string_view> name);

}  // namespace platform
