#pragma once
// Choosing backend option values for the application's scan settings. Backends
// name their modes and sources freely ("Color"/"Colour", "ADF"/"Automatic
// Document Feeder"/"ADF Front", "Duplex"/"ADF Duplex"), so values are matched
// by pattern, without regard to case.

#include <optional>
#include <string>
#include <vector>

#include "devices/service.hpp"

namespace devices::sane {

struct ModeChoice {
  std::string mode;
  std::optional<int> depth;  // set the depth option to this when present
};

// Colour: a colour mode at depth 8 when offered. Grey: a grey mode at depth 8
// when offered. Text: line art where offered, else grey at depth 1, else grey.
// Absent when the scanner offers nothing suitable.
std::optional<ModeChoice> choose_mode(const std::vector<std::string>& modes,
                                      const std::vector<int>& depths, ColorMode wanted);

// The source for a paper source. Absent when the scanner offers nothing
// suitable: a flatbed request then falls back on the first source that is
// neither a feeder nor film, and two-sided never falls back to one side.
std::optional<std::string> choose_source(const std::vector<std::string>& sources,
                                         PaperSource wanted);

struct NumberConstraint {
  enum class Kind { None, Range, List } kind = Kind::None;
  double min = 0;
  double max = 0;
  double quant = 0;
  std::vector<double> list;
};

// The allowed value nearest to `wanted` (ties go to the larger value).
double nearest_allowed(double wanted, const NumberConstraint& constraint);

}  // namespace devices::sane
