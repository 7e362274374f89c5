#include <gtest/gtest.h>

#include <cstdint>

#include "scan/choices.hpp"
#include "scan/scan_request.hpp"

namespace scan {
namespace {

using devices::ColorMode;
using devices::PaperSource;

struct ChoiceRow {
  std::size_t index;
  std::uint16_t dpi;
  ColorMode color;
  PaperSource source;
  Language language;
};

TEST(Choices, EveryIndexAndTheFallBacks) {
  const ChoiceRow rows[] = {
      {0, 150, ColorMode::Color, PaperSource::Flatbed, {"eng", "English"}},
      {1, 300, ColorMode::Grayscale, PaperSource::Feeder, {"deu", "German"}},
      {2, 600, ColorMode::Text, PaperSource::TwoSided, {"fra", "French"}},
      {3, 300, ColorMode::Color, PaperSource::Flatbed, {"spa", "Spanish"}},
      {4, 300, ColorMode::Color, PaperSource::Flatbed, {"eng", "English"}},
      {SIZE_MAX, 300, ColorMode::Color, PaperSource::Flatbed, {"eng", "English"}},
  };
  for (const ChoiceRow& row : rows) {
    SCOPED_TRACE(row.index);
    EXPECT_EQ(resolution_for_choice(row.index), row.dpi);
    EXPECT_EQ(color_for_choice(row.index), row.color);
    EXPECT_EQ(source_for_choice(row.index), row.source);
    EXPECT_EQ(language_for_choice(row.index), row.language);
  }
}

TEST(Choices, LanguageCodeFromTheEnglishName) {
  EXPECT_EQ(language_code_for_name("English"), "eng");
  EXPECT_EQ(language_code_for_name("German"), "deu");
  EXPECT_EQ(language_code_for_name("French"), "fra");
  EXPECT_EQ(language_code_for_name("Spanish"), "spa");
  // Labels in the language's own name, other spellings and nothing at all
  // are not names of the table.
  for (const char* other : {"Deutsch", "german", "", "Klingon"}) {
    EXPECT_EQ(language_code_for_name(other), "eng") << other;
  }
  // Each name round-trips through its choice.
  for (std::size_t i = 0; i < kLanguageLabels.size(); ++i) {
    EXPECT_EQ(language_code_for_name(language_for_choice(i).name), language_for_choice(i).code);
  }
}

TEST(ScanRequest, TurnsTheChoicesIntoTheServiceOptions) {
  auto request = make_scan_request("scanner0", 2, 2, 1, 3, {});
  EXPECT_EQ(request.scanner_id, "scanner0");
  EXPECT_EQ(request.options, (devices::ScanOptions{600, ColorMode::Text, PaperSource::Feeder}));
  EXPECT_EQ(request.language_code, "spa");
  EXPECT_EQ(request.language_name, "Spanish");

  auto fallen_back = make_scan_request("s", 3, 3, 7, 4, {});
  EXPECT_EQ(fallen_back.options,
            (devices::ScanOptions{300, ColorMode::Color, PaperSource::Flatbed}));
  EXPECT_EQ(fallen_back.language_code, "eng");
  EXPECT_EQ(fallen_back.language_name, "English");
  static_assert(sizeof(devices::ScanOptions) == 4);
}

}  // namespace
}  // namespace scan
