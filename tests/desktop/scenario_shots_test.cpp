// Runs the real program for every preview scenario: a tree dump and an
// offscreen screenshot each. The PNGs stay in the build folder for review.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <QImage>
#include <filesystem>
#include <fstream>
#include <map>
#include <nlohmann/json.hpp>
#include <sstream>

#include "platform/launch.hpp"

namespace {

namespace fs = std::filesystem;

int run(const std::string& command) {
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string read(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

class ScenarioShots : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    fs::create_directories(SHOTS_DIR);
    for (const auto& scenario : platform::kScenarios) {
      const std::string name(scenario.name);
      const std::string base = std::string(SHOTS_DIR) + "/" + name;
      const std::string env = "QT_QPA_PLATFORM=offscreen ";
      ASSERT_EQ(run(env + ORVANE_BINARY + " --scenario " + name + " --screenshot " + base + ".png"),
                0)
          << name;
      ASSERT_EQ(run(env + ORVANE_BINARY + " --scenario " + name + " --dump-tree " + base + ".json"),
                0)
          << name;
    }
  }
  static QImage shot(std::string_view name) {
    return QImage(
        QString::fromStdString(std::string(SHOTS_DIR) + "/" + std::string(name) + ".png"));
  }
  static std::string tree(std::string_view name) {
    return read(std::string(SHOTS_DIR) + "/" + std::string(name) + ".json");
  }
};

TEST_F(ScenarioShots, EachShotHasItsWindowSizeAndIsNotBlank) {
  for (const auto& scenario : platform::kScenarios) {
    SCOPED_TRACE(std::string(scenario.name));
    const QImage image = shot(scenario.name);
    ASSERT_FALSE(image.isNull());
    const auto size = platform::window_size(scenario.name);
    // HiDPI scaling may multiply the pixels; the aspect stays.
    EXPECT_EQ(image.width() * size.height, image.height() * size.width);
    std::map<QRgb, int> colours;
    for (int y = 0; y < image.height(); y += 7) {
      for (int x = 0; x < image.width(); x += 7) ++colours[image.pixel(x, y)];
    }
    EXPECT_GT(colours.size(), 3u) << "a blank window has one or two colours";
  }
}

TEST_F(ScenarioShots, TwinsShareTheirStateAndOtherViewsDiffer) {
  for (auto [wide, narrow] :
       {std::pair{"print", "print-narrow"}, std::pair{"scan-result", "scan-result-narrow"},
        std::pair{"service-error", "service-error-narrow"}}) {
    SCOPED_TRACE(wide);
    EXPECT_EQ(tree(wide), tree(narrow));
    EXPECT_NE(shot(wide).size(), shot(narrow).size());
  }
  // Names outside the table, "Print" among them, start scenario 0 like "narrow".
  const std::string other = std::string(SHOTS_DIR) + "/Print.json";
  ASSERT_EQ(run(std::string(ORVANE_BINARY) + " --scenario Print --dump-tree " + other), 0);
  EXPECT_EQ(read(other), tree("narrow"));
  const std::vector<std::string> distinct{
      "active", "attention", "empty",       "narrow",  "queue",       "device",       "discovery",
      "print",  "scan",      "scan-result", "history", "diagnostics", "service-error"};
  for (std::size_t i = 0; i < distinct.size(); ++i) {
    for (std::size_t j = i + 1; j < distinct.size(); ++j) {
      if (distinct[i] == "narrow" || distinct[j] == "narrow") continue;  // other window size
      EXPECT_NE(shot(distinct[i]), shot(distinct[j])) << distinct[i] << " vs " << distinct[j];
    }
  }
}

TEST_F(ScenarioShots, TwoShotsOfOneScenarioAreIdentical) {
  const std::string again = std::string(SHOTS_DIR) + "/scan-again.png";
  ASSERT_EQ(run(std::string("QT_QPA_PLATFORM=offscreen ") + ORVANE_BINARY +
                " --scenario scan --screenshot " + again),
            0);
  EXPECT_EQ(read(again), read(std::string(SHOTS_DIR) + "/scan.png"));
}

TEST_F(ScenarioShots, TreeDumpsDescribeTheViews) {
  const auto print = nlohmann::json::parse(tree("print"));
  EXPECT_NE(tree("print").find("\"orvane.print.submit\""), std::string::npos);
  EXPECT_NE(tree("print").find("Preview of Travel itinerary.pdf"), std::string::npos);
  EXPECT_NE(tree("scan-result").find("Recognized 8 words."), std::string::npos);
  EXPECT_NE(tree("attention").find("Needs attention"), std::string::npos);
  EXPECT_TRUE(print.is_object());
}

TEST(ScenarioProgram, RejectsUnknownArguments) {
  EXPECT_EQ(run(std::string(ORVANE_BINARY) + " --bogus 2>/dev/null"), 2);
}

// Test processes shoot into one folder side by side, so an output is
// replaced whole (the writer itself is tested with the platform layer); one
// that cannot be written fails and leaves nothing behind.
TEST(ScenarioProgram, OutputsAreReplacedWholeOrNotAtAll) {
  const fs::path folder = fs::path(SHOTS_DIR) / "outputs";
  fs::create_directories(folder);
  const fs::path shot = folder / "shot.png";
  std::ofstream(shot) << "earlier shot";
  const std::string env = "QT_QPA_PLATFORM=offscreen ";
  const std::string missing = (folder / "no-such-folder" / "x").string();
  EXPECT_EQ(
      run(env + ORVANE_BINARY + " --scenario scan --screenshot " + missing + ".png 2>/dev/null"),
      1);
  EXPECT_EQ(run(std::string(ORVANE_BINARY) + " --scenario scan --dump-tree " + missing +
                ".json 2>/dev/null"),
            1);
  std::size_t entries = 0;
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder)) ++entries;
  EXPECT_EQ(entries, 1u) << "no temporary file is left behind";
  ASSERT_EQ(run(env + ORVANE_BINARY + " --scenario scan --screenshot " + shot.string()), 0);
  EXPECT_FALSE(QImage(QString::fromStdString(shot.string())).isNull());
}

}  // namespace
