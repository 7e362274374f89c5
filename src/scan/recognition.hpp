#pragma once
// The text of scanned pages: what an engine outcome means for a page, the
// re-recognition after an edit (its worker and how a late result finds its
// page again), and copying the text.

#include <QImage>
#include <cstdint>
#include <string>
#include <string_view>

#include "app/state.hpp"
#include "ocr/ocr_error.hpp"
#include "ocr/ocr_word.hpp"
#include "platform/result.hpp"

namespace scan {

using EngineOutcome = platform::Result<ocr::OcrResult, ocr::OcrError>;

// At capture: the page's text and status for an engine outcome. A missing
// engine is told apart; recognition never makes a capture fail.
app::RecognitionText describe_capture_outcome(const EngineOutcome& outcome);

// Recognizes the decoded scan (in its own pixel format) with the language.
app::RecognitionText describe_recognition(const QImage& image, std::string_view language_code);

// After an edit: the outcome that RecognitionFinished carries, or its
// failure text.
platform::Result<app::RecognitionText> describe_update_outcome(const EngineOutcome& outcome);

// The work of the worker "qiro-recognize-scanned-page" for the page's pixels
// and the English name of its language.
platform::Result<app::RecognitionText> recognize_page_pixels(const app::SharedBytes& pixels,
                                                             std::uint32_t width,
                                                             std::uint32_t height,
                                                             const std::string& language_name);

// RecognizePage: starts one run for the page under review (none while one
// runs).
void recognize_page(app::State& state);

// RecognitionFinished: applies the outcome to the page whose encoded image
// is the very buffer that was read; a result for a page that changed or
// vanished is dropped.
void recognition_finished(app::State& state, app::msg::RecognitionFinished& message);

// CopyRecognizedText: the whole text of the page under review to the
// clipboard.
void copy_recognized_text(app::State& state);

}  // namespace scan
