#pragma once
// Every way text recognition can fail. Callers tell `NotInstalled` apart to
// say that the engine is missing; the rest is one "could not recognize".

#include <string>
#include <utility>

namespace ocr {

struct OcrError {
  enum class Kind {
    ImageError,       // the prepared image could not be encoded (detail: the reason)
    ImageTooLarge,    // the image is over the size limits
    InvalidLanguage,  // the language code failed the check
    NotInstalled,     // the engine program was not found
    Engine,           // the engine failed, timed out, went over a limit or gave unusable output
    Io,               // the temporary file or the engine start failed otherwise
  };
  Kind kind = Kind::Engine;
  std::string detail;

  friend bool operator==(const OcrError&, const OcrError&) = default;
};

inline OcrError ocr_error(OcrError::Kind kind, std::string detail = {}) {
  return {kind, std::move(detail)};
}

// A one-line English description for logs and command-line users.
std::string describe(const OcrError& error);

// Engine texts.
inline constexpr const char* kEngineTimedOut = "OCR engine timed out";
inline constexpr const char* kEngineProcessFailed = "OCR engine process failed";
inline constexpr const char* kOutputOverLimit = "OCR output exceeded the safety limit";
inline constexpr const char* kDiagnosticsOverLimit = "OCR diagnostics exceeded the safety limit";
inline constexpr const char* kTooManyWords = "OCR returned too many words";

}  // namespace ocr
