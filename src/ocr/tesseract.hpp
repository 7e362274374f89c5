#pragma once
// Running the `tesseract` program on an image file, bounded in time and
// output, and classifying every way it can fail.

#include <optional>
#include <string>
#include <string_view>

#include "ocr/ocr_error.hpp"
#include "ocr/ocr_word.hpp"
#include "platform/command_runner.hpp"
#include "platform/result.hpp"

namespace ocr {

inline constexpr std::size_t kMaxDiagnosticsBytes = 4096;
inline constexpr std::size_t kMaxEngineMessageCharacters = 500;

// 16 MiB of output, 4096 bytes of diagnostics, 120 seconds.
platform::CommandLimits production_limits();

// How the engine is found and bounded; tests shrink the limits and point the
// search path at stand-in programs.
struct EngineOptions {
  platform::CommandLimits limits = production_limits();
  std::optional<std::string> search_path;
};

// The program and its arguments for one run: no shell, each value one argument.
platform::PreparedCommand tesseract_command(const std::string& image_path,
                                            std::string_view language,
                                            const EngineOptions& options);

platform::Result<OcrResult, OcrError> run_tesseract(const std::string& image_path,
                                                    std::string_view language,
                                                    const EngineOptions& options = {});

// What a failed run said on standard error, made safe to show: decoded,
// trimmed, without control characters but tab and line feed, at most 500
// characters.
std::string engine_message(std::string standard_error);

OcrError classify(const platform::CommandFailure& failure);

}  // namespace ocr
