#include "platform/launch.hpp"

#include <gtest/gtest.h>

namespace {

struct Case {
  std::optional<std::string_view> name;
  std::uint8_t number;
  platform::WindowSize size;
};

TEST(Launch, ScenarioNumberAndWindowSize) {
  const platform::WindowSize wide{1280, 800};
  const platform::WindowSize narrow{520, 820};
  const Case cases[] = {
      {std::nullopt, 0, wide},
      {"active", 1, wide},
      {"attention", 2, wide},
      {"empty", 3, wide},
      {"narrow", 0, narrow},
      {"queue", 4, wide},
      {"device", 5, wide},
      {"discovery", 6, wide},
      {"print", 7, wide},
      {"print-narrow", 7, narrow},
      {"scan", 8, wide},
      {"scan-result", 9, wide},
      {"scan-result-narrow", 9, narrow},
      {"history", 10, wide},
      {"diagnostics", 11, wide},
      {"service-error", 12, wide},
      {"service-error-narrow", 12, narrow},
      {"Print", 0, wide},
      {"print ", 0, wide},
      {"", 0, wide},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name ? std::string(*c.name) : "<none>");
    EXPECT_EQ(platform::scenario_number(c.name), c.number);
    EXPECT_EQ(platform::window_size(c.name), c.size);
  }
  EXPECT_EQ(platform::kApplicationId.size(), 20u);
}

}  // namespace
