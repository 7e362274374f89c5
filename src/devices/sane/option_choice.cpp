#include "devices/sane/option_choice.hpp"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <initializer_list>
#include <string_view>

namespace devices::sane {
namespace {

std::string lowercase(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

bool contains_any(const std::string& value, std::initializer_list<std::string_view> patterns) {
  const std::string lower = lowercase(value);
  return std::any_of(patterns.begin(), patterns.end(), [&](std::string_view pattern) {
    return lower.find(pattern) != std::string::npos;
  });
}

// The first value matching one of the pattern groups, trying groups in order.
std::optional<std::string> first_matching(
    const std::vector<std::string>& values,
    std::initializer_list<std::initializer_list<std::string_view>> groups,
    std::initializer_list<std::string_view> excluded = {}) {
  for (const auto& group : groups) {
    for (const std::string& value : values) {
      if (contains_any(value, group) && !contains_any(value, excluded)) return value;
    }
  }
  return std::nullopt;
}

bool is_feeder(const std::string& source) {
  return contains_any(source, {"adf", "feeder", "automatic document", "duplex"});
}

bool is_film(const std::string& source) {
  return contains_any(source, {"transparency", "film", "negative", "slide", "tpu"});
}

}  // namespace

std::optional<ModeChoice> choose_mode(const std::vector<std::string>& modes,
                                      const std::vector<int>& depths, ColorMode wanted) {
  const bool has_depth_8 = std::find(depths.begin(), depths.end(), 8) != depths.end();
  const bool has_depth_1 = std::find(depths.begin(), depths.end(), 1) != depths.end();
  const auto full_depth = has_depth_8 ? std::optional<int>(8) : std::nullopt;
  const auto grey = first_matching(modes, {{"gray", "grey"}}, {"halftone"});
  switch (wanted) {
    case ColorMode::Color:
      if (auto colour = first_matching(modes, {{"color", "colour", "rgb"}}, {"halftone"})) {
        return ModeChoice{*colour, full_depth};
      }
      return std::nullopt;
    case ColorMode::Grayscale:
      if (grey) return ModeChoice{*grey, full_depth};
      return std::nullopt;
    case ColorMode::Text:
      if (auto line_art = first_matching(
              modes, {{"lineart", "line art", "binary"}, {"black & white", "black and white"}})) {
        return ModeChoice{*line_art, std::nullopt};
      }
      if (grey) return ModeChoice{*grey, has_depth_1 ? std::optional<int>(1) : full_depth};
      return std::nullopt;
  }
  return std::nullopt;
}

std::optional<std::string> choose_source(const std::vector<std::string>& sources,
                                         PaperSource wanted) {
  switch (wanted) {
    case PaperSource::Flatbed: {
      if (auto flatbed = first_matching(sources, {{"flatbed", "platen", "document table"}})) {
        return flatbed;
      }
      for (const std::string& source : sources) {
        if (!is_feeder(source) && !is_film(source)) return source;
      }
      return std::nullopt;
    }
    case PaperSource::Feeder:
      // "ADF Front" before a plain "ADF" entry that may mean something else
      // on some backends; never a duplex or back-side source.
      return first_matching(sources,
                            {{"adf front", "front"}, {"adf", "feeder", "automatic document"}},
                            {"duplex", "back", "both"});
    case PaperSource::TwoSided:
      return first_matching(sources, {{"duplex"}, {"both sides", "double"}});
  }
  return std::nullopt;
}

double nearest_allowed(double wanted, const NumberConstraint& constraint) {
  switch (constraint.kind) {
    case NumberConstraint::Kind::None:
      return wanted;
    case NumberConstraint::Kind::Range: {
      double value = std::clamp(wanted, constraint.min, constraint.max);
      if (constraint.quant > 0) {
        value = constraint.min +
                std::round((value - constraint.min) / constraint.quant) * constraint.quant;
        if (value > constraint.max) value -= constraint.quant;
      }
      return value;
    }
    case NumberConstraint::Kind::List: {
      if (constraint.list.empty()) return wanted;
      double best = constraint.list.front();
      for (const double value : constraint.list) {
        const double distance = std::abs(value - wanted);
        const double best_distance = std::abs(best - wanted);
        if (distance < best_distance || (distance == best_distance && value > best)) best = value;
      }
      return best;
    }
  }
  return wanted;
}

}  // namespace devices::sane
