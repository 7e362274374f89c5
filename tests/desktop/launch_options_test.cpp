#include "desktop/launch_options.hpp"

#include <gtest/gtest.h>

namespace {

TEST(LaunchOptions, ParsesEachFormAndRejectsTheRest) {
  auto ok = desktop::parse_launch_options({"--scenario", "print", "--screenshot", "/tmp/a.png"});
  EXPECT_TRUE(ok.error.empty());
  EXPECT_EQ(ok.options.scenario, "print");
  EXPECT_EQ(ok.options.screenshot, "/tmp/a.png");

  auto action = desktop::parse_launch_options({"--action", "scan-document"});
  EXPECT_EQ(action.options.action, "scan-document");

  EXPECT_EQ(desktop::parse_launch_options({"--scenario"}).error, "--scenario needs a value");
  EXPECT_EQ(desktop::parse_launch_options({"--action", "format-disk"}).error,
            "unknown action format-disk");
  EXPECT_EQ(desktop::parse_launch_options({"--fullscreen"}).error, "unknown argument --fullscreen");
  EXPECT_TRUE(desktop::parse_launch_options({}).error.empty());
}

}  // namespace
