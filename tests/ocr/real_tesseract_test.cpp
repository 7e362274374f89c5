// The real engine with its language packs, on text drawn at a known size.

#include <gtest/gtest.h>

#include <QImage>
#include <QString>

#include "ocr/recognize.hpp"
#include "ocr/tsv.hpp"
#include "pages.hpp"

namespace {

using ocr::OcrError;

struct Sample {
  const char* language;
  QStringList lines;
  std::string expected;
};

TEST(RealTesseract, RecognizesEachInstalledLanguage) {
  const Sample samples[] = {
      {"eng",
       {"The quick brown fox", "jumps over the lazy dog"},
       "The quick brown fox\njumps over the lazy dog"},
      {"deu", {"Grüße aus Köln", "Äpfel für Straße"}, "Grüße aus Köln\nÄpfel für Straße"},
      {"fra", {"Le café été déjà", "très fraîche"}, "Le café été déjà\ntrès fraîche"},
      {"spa", {"El niño mañana", "canción de España"}, "El niño mañana\ncanción de España"},
  };
  for (const auto& s : samples) {
    const QImage image = ocr_test::text_lines(s.lines, 36, 900);
    const auto result = ocr::recognize_image(image, s.language);
    ASSERT_TRUE(result.ok()) << s.language << ": " << ocr::describe(result.error());
    EXPECT_EQ(result->language, s.language);
    EXPECT_EQ(ocr::join_words(result->words), s.expected) << s.language;
    for (const auto& word : result->words) {
      EXPECT_LE(std::uint64_t{word.left} + word.width, static_cast<std::uint64_t>(image.width()));
      EXPECT_LE(std::uint64_t{word.top} + word.height, static_cast<std::uint64_t>(image.height()));
      EXPECT_GT(word.confidence, 0.5f) << word.text;
      EXPECT_LE(word.confidence, 1.0f);
    }
  }
}

TEST(RealTesseract, ReadsATiltedRgbaPageAfterStraighteningIt) {
  const QImage page = ocr_test::text_page({.pixel_size = 30, .line_count = 8, .tilt_degrees = 2})
                          .convertToFormat(QImage::Format_RGBA8888);
  const std::span<const std::uint8_t> bytes(page.constBits(),
                                            static_cast<std::size_t>(page.sizeInBytes()));
  const ocr::PixelImage pixels{ocr::PixelFormat::Rgba8, static_cast<std::uint32_t>(page.width()),
                               static_cast<std::uint32_t>(page.height()), bytes,
                               static_cast<std::size_t>(page.bytesPerLine())};
  const auto result = ocr::recognize_image(pixels, "eng");
  ASSERT_TRUE(result.ok()) << ocr::describe(result.error());
  const std::string text = ocr::join_words(result->words);
  EXPECT_NE(text.find("The quick brown fox jumps over the lazy dog near the river bank"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("Pack my box with five dozen liquor jugs before the evening ends"),
            std::string::npos)
      << text;
}

TEST(RealTesseract, BlankPageHasNoWords) {
  const auto result = ocr::recognize_image(QImage(400, 300, QImage::Format_RGB32), "eng");
  ASSERT_TRUE(result.ok()) << ocr::describe(result.error());
  EXPECT_TRUE(result->words.empty());
}

TEST(RealTesseract, MissingLanguagePackIsAnEngineErrorThatSaysWhich) {
  const QImage image = ocr_test::text_lines({"hello"}, 36, 400);
  const auto result = ocr::recognize_image(image, "xyz");
  ASSERT_FALSE(result.ok());
  EXPECT_EQ(result.error().kind, OcrError::Kind::Engine);
  EXPECT_NE(result.error().detail.find("xyz"), std::string::npos) << result.error().detail;
}

}  // namespace
