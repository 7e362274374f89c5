// orvane-ocr as users and scripts run it: output on success, a non-zero exit
// and one line on standard error for every failure.

#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "fake_programs.hpp"
#include "pages.hpp"
#include "platform/command_runner.hpp"

namespace {

using namespace std::chrono_literals;

struct CliRun {
  int exit_code = -1;
  std::string out;
  std::string err;
};

CliRun orvane_ocr(const std::vector<std::string>& args, const std::string& path = "") {
  platform::PreparedCommand command{"env", {}, {}, {}};
  if (!path.empty()) command.arguments.push_back("PATH=" + path);
  command.arguments.push_back(ORVANE_OCR_BINARY);
  command.arguments.insert(command.arguments.end(), args.begin(), args.end());
  const auto result = platform::run_prepared_with_limits(command, {1 << 20, 1 << 16, 120s});
  if (!result.ok()) return {};
  return {result->status.exited ? result->status.code : -1, result->stdout_bytes,
          result->stderr_bytes};
}

class Cli : public ::testing::Test {
 protected:
  void SetUp() override {
    const QImage page = ocr_test::text_page(
        {.width = 900, .height = 700, .pixel_size = 28, .line_count = 6, .tilt_degrees = 2});
    ASSERT_TRUE(page.save(QString::fromStdString(image())));
    std::filesystem::create_directories(programs_.file("bin"));
  }
  std::string image() const { return programs_.file("page.png").string(); }
  ocr_test::FakePrograms programs_;
};

TEST_F(Cli, PrepareWritesTheStraightenedPageAndPrintsTheTilt) {
  const std::string out = programs_.file("prepared.png").string();
  const CliRun run = orvane_ocr({"prepare", image(), "-o", out});
  EXPECT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(run.out, "tilt: -2.0 degrees\n");
  const QImage prepared(QString::fromStdString(out));
  EXPECT_EQ(prepared.size(), QSize(900, 700));
  EXPECT_TRUE(prepared.isGrayscale());

  const std::string blank = programs_.file("blank.png").string();
  QImage(100, 80, QImage::Format_RGB32).save(QString::fromStdString(blank));
  const CliRun level = orvane_ocr({"prepare", blank, "-o", out});
  EXPECT_EQ(level.exit_code, 0);
  EXPECT_EQ(level.out, "tilt: none\n");
}

TEST_F(Cli, WordsAndTextComeFromTheEngine) {
  programs_.add("bin/tesseract",
                "printf 'level\\tpage_num\\tblock_num\\tpar_num\\tline_num\\tword_num\\tleft\\ttop"
                "\\twidth\\theight\\tconf\\ttext\\n'\n"
                "printf '5\\t1\\t1\\t1\\t2\\t1\\t5\\t30\\t20\\t9\\t50\\tzwei\\n'\n"
                "printf '5\\t1\\t1\\t1\\t1\\t1\\t5\\t10\\t20\\t9\\t96.5\\teins\\n'\n");
  const std::string path = programs_.file("bin").string() + ":/usr/bin:/bin";
  const CliRun text = orvane_ocr({"text", image(), "-l", "deu"}, path);
  EXPECT_EQ(text.exit_code, 0) << text.err;
  EXPECT_EQ(text.out, "eins\nzwei\n");
  const CliRun words = orvane_ocr({"words", "--language", "deu", image()}, path);
  EXPECT_EQ(words.exit_code, 0) << words.err;
  EXPECT_EQ(words.out,
            "text\tleft\ttop\twidth\theight\tconfidence\tpage_num\tblock_num\tpar_num\tline_num\t"
            "word_num\n"
            "eins\t5\t10\t20\t9\t0.965\t1\t1\t1\t1\t1\n"
            "zwei\t5\t30\t20\t9\t0.5\t1\t1\t1\t2\t1\n");
}

TEST_F(Cli, EveryFailureIsOneLineAndANonZeroExit) {
  programs_.add("bin/tesseract", "printf 'engine broke\\n' >&2; exit 1");
  const std::string failing_engine = programs_.file("bin").string() + ":/usr/bin:/bin";
  const std::string not_an_image = programs_.file("notes.txt").string();
  { std::ofstream(not_an_image) << "hello"; }
  struct Case {
    std::vector<std::string> args;
    std::string path;
    int exit_code;
    std::string message;
  };
  const Case cases[] = {
      {{"text", "/nonexistent.png"}, "", 1, "cannot read the image"},
      {{"text", not_an_image}, "", 1, "cannot read the image"},
      {{"text", image(), "-l", "e n"}, "", 1, "language code is not valid"},
      {{"text", image()}, "/nonexistent", 1, "tesseract is not installed"},
      {{"words", image()}, failing_engine, 1, "tesseract failed: engine broke"},
      {{"prepare", image(), "-o", "/nonexistent/dir/out.png"}, "", 1, "cannot write"},
      {{"prepare", image()}, "", 2, "-o OUT.png is needed"},
      {{"text"}, "", 2, "an image file is needed"},
      {{"text", image(), "--bogus"}, "", 2, "unknown option --bogus"},
      {{"scan"}, "", 2, "unknown command"},
  };
  for (const auto& c : cases) {
    const CliRun run = orvane_ocr(c.args, c.path);
    EXPECT_EQ(run.exit_code, c.exit_code) << c.message;
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    EXPECT_TRUE(run.out.empty()) << c.message;
    if (c.exit_code == 1) {
      EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    }
  }
}

}  // namespace
