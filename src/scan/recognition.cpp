#include "scan/recognition.hpp"

#include <cstring>
#include <memory>
#include <utility>
#include <vector>

#include "ocr/recognize.hpp"
#include "ocr/tsv.hpp"
#include "platform/worker.hpp"
#include "scan/blank_text.hpp"
#include "scan/choices.hpp"
#include "scan/document.hpp"
#include "scan/page_pixels.hpp"

namespace scan {
namespace {

std::string words_status(std::size_t count) {
  return "Recognized " + std::to_string(count) + " words.";
}

constexpr const char* kNoText = "No text was found on this page.";

}  // namespace

app::RecognitionText describe_capture_outcome(const EngineOutcome& outcome) {
  if (!outcome) {
    if (outcome.error().kind == ocr::OcrError::Kind::NotInstalled) {
      return {std::nullopt, "Text recognition is not installed; the scanned page is still ready."};
    }
    return {std::nullopt, "Text could not be recognized; the scanned page is still ready."};
  }
  const auto& words = outcome.value().words;
  if (words.empty()) return {std::nullopt, kNoText};
  return {ocr::join_words(words), words_status(words.size())};
}

app::RecognitionText describe_recognition(const QImage& image, std::string_view language_code) {
  return describe_capture_outcome(ocr::recognize_image(image, language_code));
}

platform::Result<app::RecognitionText> describe_update_outcome(const EngineOutcome& outcome) {
  // The engine's own error is not shown; a missing engine reads the same.
  if (!outcome) return platform::err("Text could not be recognized on this page.");
  const auto& words = outcome.value().words;
  std::string text = ocr::join_words(words);
  app::RecognitionText result;
  if (!is_blank(text)) result.recognized_text = std::move(text);
  result.status_text = words.empty() ? kNoText : words_status(words.size());
  return result;
}

platform::Result<app::RecognitionText> recognize_page_pixels(const app::SharedBytes& pixels,
                                                             std::uint32_t width,
                                                             std::uint32_t height,
                                                             const std::string& language_name) {
  auto view = rgba_view(pixels, width, height);
  if (!view) return platform::err("The scanned page pixels were incomplete.");
  const ocr::PixelImage image{ocr::PixelFormat::Rgba8, width, height, view->pixels, 0};
  return describe_update_outcome(
      ocr::recognize_image(image, language_code_for_name(language_name)));
}

void recognize_page(app::State& state) {
  app::ScannedPage* page = current_page(state);
  if (!page || page->recognition_running) return;
  page->recognition_running = true;
  refresh_view_copy(state);
  app::show_scan_view(state);
  // The worker holds its own handles to the page's immutable buffers; the
  // image handle names the page when the result comes back.
  const bool started = platform::spawn_worker(
      "qiro-recognize-scanned-page",
      [sender = state.message_sender, language = page->language_name, pixels = page->pixels,
       encoded = page->encoded_image, width = page->width, height = page->height] {
        auto outcome = recognize_page_pixels(pixels, width, height, language);
        sender.send(app::msg::RecognitionFinished{encoded, std::move(outcome)});
      });
  if (!started) {
    // No result will ever come: a flag left set would hide "Update recognized
    // text" for good. Nothing is reported; the button simply comes back.
    page->recognition_running = false;
    refresh_view_copy(state);
    app::show_scan_view(state);
  }
}

void recognition_finished(app::State& state, app::msg::RecognitionFinished& message) {
  auto& pages = state.scanned_pages;
  std::size_t index = 0;
  while (index < pages.size() && pages[index].encoded_image != message.page) ++index;
  if (index == pages.size() || !message.page) return;
  app::ScannedPage& page = pages[index];
  page.recognition_running = false;
  if (message.outcome) {
    page.recognized_text = std::move(message.outcome.value().recognized_text);
    page.status_text = std::move(message.outcome.value().status_text);
    page.recognition_stale = false;
  } else {
    state.notice = app::Notice{"Text was not updated", message.outcome.error(), false};
  }
  if (index == state.current_page_index) refresh_view_copy(state);
  app::show_scan_view(state);
}

void copy_recognized_text(app::State& state) {
  if (!state.current_page_view) return;
  const auto& text = state.current_page_view->recognized_text;
  if (!text || is_blank(*text)) return;
  const auto& clipboard = state.services.host.clipboard;
  if (clipboard && clipboard->copy_text(*text)) {
    state.notice = app::Notice{"Text copied", "Paste the recognized text into any app.", true};
  } else {
    // Saying "copied" when nothing reached the clipboard would mislead.
    state.notice = app::Notice{"Text was not copied",
                               "The clipboard is not available right now. Try again.", false};
  }
  app::show_scan_view(state);
}

}  // namespace scan
