#include "devices/sane/option_choice.hpp"

#include <gtest/gtest.h>

namespace devices::sane {
namespace {

TEST(ChooseMode, ByPatternAcrossBackends) {
  const std::vector<std::string> test_backend = {"Gray", "Color"};
  const std::vector<std::string> epson = {"Lineart", "Gray", "Color"};
  const std::vector<std::string> british = {"Black & White", "Greyscale", "Colour"};
  const std::vector<std::string> colour_only = {"Color", "Halftone"};
  const std::vector<int> depths = {1, 8, 16};
  const struct {
    std::vector<std::string> modes;
    std::vector<int> depths;
    ColorMode wanted;
    std::optional<ModeChoice> choice;
  } cases[] = {
      {test_backend, depths, ColorMode::Color, ModeChoice{"Color", 8}},
      {test_backend, depths, ColorMode::Grayscale, ModeChoice{"Gray", 8}},
      {test_backend, depths, ColorMode::Text, ModeChoice{"Gray", 1}},
      {test_backend, {}, ColorMode::Text, ModeChoice{"Gray", std::nullopt}},
      {epson, {8, 16}, ColorMode::Text, ModeChoice{"Lineart", std::nullopt}},
      {british, {}, ColorMode::Color, ModeChoice{"Colour", std::nullopt}},
      {british, {}, ColorMode::Grayscale, ModeChoice{"Greyscale", std::nullopt}},
      {british, {}, ColorMode::Text, ModeChoice{"Black & White", std::nullopt}},
      {colour_only, depths, ColorMode::Grayscale, std::nullopt},
      {colour_only, depths, ColorMode::Text, std::nullopt},
      {{"Gray"}, depths, ColorMode::Color, std::nullopt},
  };
  for (const auto& c : cases) {
    const auto choice = choose_mode(c.modes, c.depths, c.wanted);
    ASSERT_EQ(choice.has_value(), c.choice.has_value()) << static_cast<int>(c.wanted);
    if (choice) {
      EXPECT_EQ(choice->mode, c.choice->mode);
      EXPECT_EQ(choice->depth, c.choice->depth);
    }
  }
}

TEST(ChooseSource, ByPatternWithCarefulFallbacks) {
  const std::vector<std::string> test_backend = {"Flatbed", "Automatic Document Feeder"};
  const std::vector<std::string> sheetfed = {"ADF Front", "ADF Back", "ADF Duplex"};
  const std::vector<std::string> brother = {"FlatBed", "Automatic Document Feeder(left aligned)",
                                            "Automatic Document Feeder(left aligned,Duplex)"};
  const std::vector<std::string> plustek = {"Normal", "Transparency", "Negative"};
  const std::vector<std::string> simple = {"ADF", "Duplex"};
  const struct {
    std::vector<std::string> sources;
    PaperSource wanted;
    std::optional<std::string> choice;
  } cases[] = {
      {test_backend, PaperSource::Flatbed, "Flatbed"},
      {test_backend, PaperSource::Feeder, "Automatic Document Feeder"},
      {test_backend, PaperSource::TwoSided, std::nullopt},
      {sheetfed, PaperSource::Feeder, "ADF Front"},
      {sheetfed, PaperSource::TwoSided, "ADF Duplex"},
      {sheetfed, PaperSource::Flatbed, std::nullopt},
      {brother, PaperSource::Flatbed, "FlatBed"},
      {brother, PaperSource::Feeder, "Automatic Document Feeder(left aligned)"},
      {brother, PaperSource::TwoSided, "Automatic Document Feeder(left aligned,Duplex)"},
      {plustek, PaperSource::Flatbed, "Normal"},
      {plustek, PaperSource::Feeder, std::nullopt},
      {simple, PaperSource::Feeder, "ADF"},
      {simple, PaperSource::TwoSided, "Duplex"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(choose_source(c.sources, c.wanted), c.choice)
        << c.sources.front() << " / " << static_cast<int>(c.wanted);
  }
}

TEST(NearestAllowed, RangesAndLists) {
  NumberConstraint range;
  range.kind = NumberConstraint::Kind::Range;
  range.min = 50;
  range.max = 1200;
  range.quant = 0;
  EXPECT_EQ(nearest_allowed(300, range), 300);
  EXPECT_EQ(nearest_allowed(5000, range), 1200);
  EXPECT_EQ(nearest_allowed(10, range), 50);
  range.quant = 100;
  EXPECT_EQ(nearest_allowed(320, range), 350);
  EXPECT_EQ(nearest_allowed(1190, range), 1150) << "never above the maximum";

  NumberConstraint list;
  list.kind = NumberConstraint::Kind::List;
  list.list = {75, 100, 200, 600};
  EXPECT_EQ(nearest_allowed(150, list), 200) << "ties go up";
  EXPECT_EQ(nearest_allowed(300, list), 200);
  EXPECT_EQ(nearest_allowed(5000, list), 600);
  EXPECT_EQ(nearest_allowed(300, NumberConstraint{}), 300);
}

}  // namespace
}  // namespace devices::sane
