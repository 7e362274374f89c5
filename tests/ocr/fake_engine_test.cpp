#include <gtest/gtest.h>

#include <QImage>
#include <chrono>
#include <filesystem>
#include <regex>
#include <sstream>
#include <thread>
#include <vector>

#include "fake_programs.hpp"
#include "ocr/recognize.hpp"
#include "ocr/tsv.hpp"

namespace {

using ocr::OcrError;
using namespace std::chrono_literals;

const std::vector<std::uint8_t> kBlank(64 * 48, 255);
const ocr::PixelImage kPage{ocr::PixelFormat::Gray8, 64, 48, kBlank, 0};

ocr::EngineOptions options_for(const ocr_test::FakePrograms& programs,
                               std::chrono::milliseconds timeout = 10s) {
  ocr::EngineOptions options;
  options.search_path = programs.search_path();
  options.limits.timeout = timeout;
  return options;
}

std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

TEST(FakeEngine, RunsTesseractWithTheFileLanguageAndTsvAndReadsItsWords) {
  ocr_test::FakePrograms programs;
  const auto dir = programs.search_path();
  programs.add(
      "tesseract",
      "for a in \"$@\"; do printf '%s\\n' \"$a\"; done > '" + dir +
          "/args'\n"
          "printf %s \"$OMP_THREAD_LIMIT\" > '" +
          dir +
          "/omp'\n"
          "cp \"$1\" '" +
          dir +
          "/seen.png'\n"
          "printf 'level\\tpage_num\\tblock_num\\tpar_num\\tline_num\\tword_num\\tleft\\ttop"
          "\\twidth\\theight\\tconf\\ttext\\n'\n"
          "printf '5\\t1\\t1\\t1\\t2\\t1\\t5\\t30\\t20\\t9\\t91\\tzwei\\n'\n"
          "printf '5\\t1\\t1\\t1\\t1\\t1\\t5\\t10\\t20\\t9\\t96\\tGr\\303\\274\\303\\237e\\n'\n"
          "printf '5\\t1\\t1\\t1\\t1\\t2\\t30\\t10\\t20\\t9\\t96\\tbad\\377\\n'\n");
  ::unsetenv("OMP_THREAD_LIMIT");
  const auto result = ocr::recognize_image(kPage, "deu", options_for(programs));
  ASSERT_TRUE(result.ok()) << ocr::describe(result.error());
  EXPECT_EQ(result->language, "deu");
  EXPECT_EQ(ocr::join_words(result->words), "Grüße bad\uFFFD\nzwei");

  const auto args = lines_of(ocr_test::read_file(programs.file("args")));
  ASSERT_EQ(args.size(), 5u);
  const std::filesystem::path image(args[0]);
  EXPECT_EQ(image.parent_path(), std::filesystem::path(std::getenv("TMPDIR")));
  EXPECT_TRUE(
      std::regex_match(image.filename().string(), std::regex(R"(\.tmp[A-Za-z0-9]{6}\.png)")))
      << image;
  EXPECT_EQ(std::vector<std::string>(args.begin() + 1, args.end()),
            (std::vector<std::string>{"stdout", "-l", "deu", "tsv"}));
  EXPECT_EQ(ocr_test::read_file(programs.file("omp")), "1");

  const std::string png = ocr_test::read_file(programs.file("seen.png"));
  const QImage seen = QImage::fromData(reinterpret_cast<const uchar*>(png.data()),
                                       static_cast<int>(png.size()), "PNG");
  EXPECT_EQ(seen.size(), QSize(64, 48));
  EXPECT_TRUE(seen.isGrayscale());
  EXPECT_EQ(png.find("pHYs"), std::string::npos) << "no resolution is claimed for the scan";
  EXPECT_FALSE(std::filesystem::exists(image)) << "the temporary file outlived the call";
  EXPECT_EQ(ocr_test::temporary_entries(), 0u);
}

TEST(FakeEngine, ClassifiesEveryFailure) {
  struct Case {
    const char* name;
    std::string script;  // empty: no program at all
    OcrError expected;
  };
  const std::string noisy_10k =
      "i=0; while [ $i -lt 160 ]; do printf 'warn\\033[1m\\a\\001 tesseract said something odd "
      "about the page here\\r\\n' >&2; i=$((i+1)); done; exit 1";
  const Case cases[] = {
      {"not installed", "", {OcrError::Kind::NotInstalled, ""}},
      {"exit 1 with a message",
       "printf '  Failed loading language\\a\\n' >&2; exit 1",
       {OcrError::Kind::Engine, "Failed loading language"}},
      {"exit 1 silently", "exit 1", {OcrError::Kind::Engine, ""}},
      {"exit 1 with 10 KB of noise",
       noisy_10k,
       {OcrError::Kind::Engine, ocr::kDiagnosticsOverLimit}},
      {"20 MiB on standard output",
       "head -c 20971520 /dev/zero",
       {OcrError::Kind::Engine, ocr::kOutputOverLimit}},
      {"hangs", "sleep 30", {OcrError::Kind::Engine, ocr::kEngineTimedOut}},
      {"crashes",
       "printf 'partial' >&2; kill -SEGV $$",
       {OcrError::Kind::Engine, ocr::kEngineProcessFailed}},
  };
  for (const auto& c : cases) {
    ocr_test::FakePrograms programs;
    if (!c.script.empty()) programs.add("tesseract", c.script);
    const auto result = ocr::recognize_image(kPage, "eng", options_for(programs, 500ms));
    ASSERT_FALSE(result.ok()) << c.name;
    EXPECT_EQ(result.error(), c.expected) << c.name << ": " << result.error().detail;
    EXPECT_EQ(ocr_test::temporary_entries(), 0u) << c.name << " left its temporary file";
  }
}

TEST(FakeEngine, NoisyDiagnosticsUnderTheCapBecomeOneCleanMessage) {
  ocr_test::FakePrograms programs;
  programs.add("tesseract",
               "i=0; while [ $i -lt 60 ]; do printf '\\033[1mwarn\\a\\001 odd page\\r\\n' >&2; "
               "i=$((i+1)); done; exit 1");
  const auto result = ocr::recognize_image(kPage, "eng", options_for(programs));
  ASSERT_FALSE(result.ok());
  const std::string& message = result.error().detail;
  EXPECT_EQ(message.size(), 500u);
  EXPECT_EQ(message.rfind("[1mwarn odd page\n[1mwarn", 0), 0u) << message;
  for (char c : message) EXPECT_TRUE(c == '\n' || c >= 0x20) << "control byte " << int(c);
}

TEST(FakeEngine, OutputWithoutWordsIsAnEmptyResult) {
  ocr_test::FakePrograms programs;
  programs.add("tesseract", "printf 'not a table\\nat all\\n'");
  const auto result = ocr::recognize_image(kPage, "eng", options_for(programs));
  ASSERT_TRUE(result.ok());
  EXPECT_TRUE(result->words.empty());
}

TEST(FakeEngine, BadLanguageStartsNothing) {
  ocr_test::FakePrograms programs;
  programs.add("tesseract", "touch '" + programs.file("started").string() + "'");
  for (const char* language : {"", "e n", "-eng", "eng.x"}) {
    const auto result = ocr::recognize_image(kPage, language, options_for(programs));
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.error().kind, OcrError::Kind::InvalidLanguage) << language;
    const auto direct = ocr::run_tesseract("/dev/null", language, options_for(programs));
    ASSERT_FALSE(direct.ok());
    EXPECT_EQ(direct.error().kind, OcrError::Kind::InvalidLanguage) << language;
  }
  EXPECT_FALSE(std::filesystem::exists(programs.file("started")));
}

TEST(FakeEngine, UnusableTemporaryDirectoryIsAnIoError) {
  ocr_test::FakePrograms programs;
  programs.add("tesseract", "exit 0");
  const std::string saved = std::getenv("TMPDIR");
  ::setenv("TMPDIR", "/nonexistent/orvane", 1);
  const auto result = ocr::recognize_image(kPage, "eng", options_for(programs));
  ::setenv("TMPDIR", saved.c_str(), 1);
  ASSERT_FALSE(result.ok());
  EXPECT_EQ(result.error().kind, OcrError::Kind::Io);
}

TEST(FakeEngine, TooLargeAndEmptyImagesNeverReachTheEngine) {
  ocr_test::FakePrograms programs;
  programs.add("tesseract", "touch '" + programs.file("started").string() + "'");
  const auto large = ocr::recognize_image(
      ocr::PixelImage{ocr::PixelFormat::Rgba8, 10001, 10, {}, 0}, "eng", options_for(programs));
  ASSERT_FALSE(large.ok());
  EXPECT_EQ(large.error().kind, OcrError::Kind::ImageTooLarge);
  const auto empty = ocr::recognize_image(QImage(), "eng", options_for(programs));
  ASSERT_FALSE(empty.ok());
  EXPECT_EQ(empty.error().kind, OcrError::Kind::ImageError);
  EXPECT_FALSE(std::filesystem::exists(programs.file("started")));
  EXPECT_EQ(ocr_test::temporary_entries(), 0u);
}

TEST(FakeEngine, ConcurrentCallsUseTheirOwnFiles) {
  ocr_test::FakePrograms programs;
  programs.add("tesseract",
               "sleep 0.2; printf 'h\\n5\\t1\\t1\\t1\\t1\\t1\\t1\\t1\\t1\\t1\\t90\\t%s\\n' \"$1\"");
  std::vector<std::string> seen(4);
  std::vector<std::thread> threads;
  for (std::size_t i = 0; i < seen.size(); ++i) {
    threads.emplace_back([&, i] {
      const auto result = ocr::recognize_image(kPage, "eng", options_for(programs));
      seen[i] = result.ok() && result->words.size() == 1 ? result->words[0].text : "failed";
    });
  }
  for (auto& t : threads) t.join();
  for (std::size_t i = 0; i < seen.size(); ++i) {
    EXPECT_NE(seen[i], "failed");
    for (std::size_t j = 0; j < i; ++j) EXPECT_NE(seen[i], seen[j]);
  }
  EXPECT_EQ(ocr_test::temporary_entries(), 0u);
}

}  // namespace
