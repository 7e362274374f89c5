#include <type_traits>
#include <variant>

#include "scan/capture.hpp"
#include "scan/document.hpp"
#include "scan/page_tools.hpp"
#include "scan/recognition.hpp"
#include "scan/save.hpp"
#include "scan/scan.hpp"

namespace scan {
namespace {

void open_scan(app::State& state) {
  state.notice.reset();
  state.current_page_view.reset();
  state.scanned_pages.clear();
  state.current_page_index = 0;
  state.scan_in_progress = false;
  state.selected_scanner.reset();
  if (state.snapshot && state.snapshot->scanners.ok() && !state.snapshot->scanners->empty()) {
    state.selected_scanner = state.snapshot->scanners->front().id;
  }
  app::show_scan_view(state);
}

void scan_another_page(app::State& state) {
  state.notice.reset();
  state.current_page_view.reset();
  app::show_scan_view(state);
}

}  // namespace

bool dispatch(app::State& state, app::Message& message) {
  namespace msg = app::msg;
  return std::visit(
      [&](auto& m) {
        using M = std::decay_t<decltype(m)>;
        if constexpr (std::is_same_v<M, msg::OpenScan>) {
          open_scan(state);
        } else if constexpr (std::is_same_v<M, msg::SelectScanner>) {
          state.selected_scanner = std::move(m.scanner_id);
          app::show_scan_view(state);
        } else if constexpr (std::is_same_v<M, msg::StartScan>) {
          start_scan(state);
        } else if constexpr (std::is_same_v<M, msg::ScanFinished>) {
          scan_finished(state, m);
        } else if constexpr (std::is_same_v<M, msg::SaveScannedPage>) {
          request_page_save(state);
        } else if constexpr (std::is_same_v<M, msg::SaveScannedDocument>) {
          request_document_save(state);
        } else if constexpr (std::is_same_v<M, msg::CopyRecognizedText>) {
          copy_recognized_text(state);
        } else if constexpr (std::is_same_v<M, msg::ScanAnotherPage>) {
          scan_another_page(state);
        } else if constexpr (std::is_same_v<M, msg::PreviousPage>) {
          previous_page(state);
        } else if constexpr (std::is_same_v<M, msg::NextPage>) {
          next_page(state);
        } else if constexpr (std::is_same_v<M, msg::MovePageEarlier>) {
          move_page_earlier(state);
        } else if constexpr (std::is_same_v<M, msg::MovePageLater>) {
          move_page_later(state);
        } else if constexpr (std::is_same_v<M, msg::DeletePage>) {
          delete_page(state);
        } else if constexpr (std::is_same_v<M, msg::RotatePage>) {
          rotate_page(state);
        } else if constexpr (std::is_same_v<M, msg::ApplyCrop>) {
          apply_crop(state);
        } else if constexpr (std::is_same_v<M, msg::RecognizePage>) {
          recognize_page(state);
        } else if constexpr (std::is_same_v<M, msg::RecognitionFinished>) {
          recognition_finished(state, m);
        } else {
          return false;
        }
        return true;
      },
      message);
}

}  // namespace scan
