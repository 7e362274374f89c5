#pragma once
// The four settings of the next scan: each a toggle group writing an index
// into a shared cell, and a table from that index to the value used. An
// index outside a table falls back to 300 dpi, colour, flatbed and English.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "devices/service.hpp"

namespace scan {

inline constexpr std::array<std::string_view, 3> kQualityLabels{"150 dpi", "300 dpi", "600 dpi"};
inline constexpr std::array<std::string_view, 3> kAppearanceLabels{"Color", "Grayscale", "Text"};
inline constexpr std::array<std::string_view, 3> kPaperSourceLabels{"Flatbed", "Feeder",
                                                                    "Two-sided"};
// Each language under its own name.
inline constexpr std::array<std::string_view, 4> kLanguageLabels{"English", "Deutsch", "Français",
                                                                 "Español"};

// A recognition language: the engine's code and the English name that a page
// keeps and the view shows in "Reading text as {name}".
struct Language {
  std::string_view code;
  std::string_view name;
  friend bool operator==(const Language&, const Language&) = default;
};

std::uint16_t resolution_for_choice(std::size_t index);
devices::ColorMode color_for_choice(std::size_t index);
devices::PaperSource source_for_choice(std::size_t index);
Language language_for_choice(std::size_t index);

// The reverse of language_for_choice on the English name; any other name
// gives "eng".
std::string_view language_code_for_name(std::string_view name);

}  // namespace scan
