#include "scan/choices.hpp"

namespace scan {
namespace {

constexpr std::array<std::uint16_t, 3> kResolutions{150, 300, 600};
constexpr std::array<Language, 4> kLanguages{{
    {"eng", "English"},
    {"deu", "German"},
    {"fra", "French"},
    {"spa", "Spanish"},
}};

}  // namespace

std::uint16_t resolution_for_choice(std::size_t index) {
  return index < kResolutions.size() ? kResolutions[index] : 300;
}

devices::ColorMode color_for_choice(std::size_t index) {
  switch (index) {
    case 1:
      return devices::ColorMode::Grayscale;
    case 2:
      return devices::ColorMode::Text;
    default:
      return devices::ColorMode::Color;
  }
}

devices::PaperSource source_for_choice(std::size_t index) {
  switch (index) {
    case 1:
      return devices::PaperSource::Feeder;
    case 2:
      return devices::PaperSource::TwoSided;
    default:
      return devices::PaperSource::Flatbed;
  }
}

Language language_for_choice(std::size_t index) {
  return index < kLanguages.size() ? kLanguages[index] : kLanguages[0];
}

std::string_view language_code_for_name(std::string_view name) {
  for (const Language& language : kLanguages) {
    if (language.name == name) return language.code;
  }
  return "eng";
}

}  // namespace scan
