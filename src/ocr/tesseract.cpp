#include "ocr/tesseract.hpp"

#include <cerrno>

#include "ocr/language.hpp"
#include "ocr/tsv.hpp"
#include "ocr/utf8.hpp"

namespace ocr {

platform::CommandLimits production_limits() {
  return {kMaxOutputBytes, kMaxDiagnosticsBytes, std::chrono::seconds(120)};
}

platform::PreparedCommand tesseract_command(const std::string& image_path,
                                            std::string_view language,
                                            const EngineOptions& options) {
  platform::PreparedCommand command;
  command.program = "tesseract";
  command.arguments = {image_path, "stdout", "-l", std::string(language), "tsv"};
  // OpenMP spreads one page over every core and oversubscribes small
  // machines: a single thread is several times faster there.
  command.environment_defaults = {{"OMP_THREAD_LIMIT", "1"}};
  command.search_path = options.search_path;
  return command;
}

std::string engine_message(std::string standard_error) {
  const std::string decoded = decode_utf8_lossy(std::move(standard_error));
  const std::string cleaned = strip_controls(trim_whitespace(decoded));
  return std::string(first_characters(cleaned, kMaxEngineMessageCharacters));
}

OcrError classify(const platform::CommandFailure& failure) {
  using Kind = platform::CommandFailure::Kind;
  switch (failure.kind) {
    case Kind::StartFailed:
      if (failure.error_number == ENOENT) return ocr_error(OcrError::Kind::NotInstalled);
      return ocr_error(OcrError::Kind::Io, failure.message);
    case Kind::CapExceeded:
      return ocr_error(OcrError::Kind::Engine, failure.stream == platform::OutputStream::Stdout
                                                   ? kOutputOverLimit
                                                   : kDiagnosticsOverLimit);
    case Kind::TimedOut:
      return ocr_error(OcrError::Kind::Engine, kEngineTimedOut);
    case Kind::Other:
      break;
  }
  return ocr_error(OcrError::Kind::Engine, kEngineProcessFailed);
}

platform::Result<OcrResult, OcrError> run_tesseract(const std::string& image_path,
                                                    std::string_view language,
                                                    const EngineOptions& options) {
  if (!is_valid_language(language))
    return platform::err(ocr_error(OcrError::Kind::InvalidLanguage));
  auto outcome = platform::run_prepared_with_limits(
      tesseract_command(image_path, language, options), options.limits);
  if (!outcome) return platform::err(classify(outcome.error()));
  auto& output = outcome.value();
  if (!output.status.exited) {
    // Killed by a signal: there is no exit status, and whatever reached
    // standard error before the crash is rarely the reason.
    return platform::err(ocr_error(OcrError::Kind::Engine, kEngineProcessFailed));
  }
  if (output.status.code != 0) {
    return platform::err(
        ocr_error(OcrError::Kind::Engine, engine_message(std::move(output.stderr_bytes))));
  }
  const std::string text = decode_utf8_lossy(std::move(output.stdout_bytes));
  return parse_tsv(text, language);
}

}  // namespace ocr
