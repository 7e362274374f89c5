// Scanning on an A4 300 dpi colour page: the capture worker's own work
// (without the engine process), rotate and crop as the UI thread runs them,
// and the longest UI-thread stall while a 10-page document is saved.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <thread>

#include "a4_page.hpp"
#include "app/dispatch.hpp"
#include "app/orvane.hpp"
#include "ocr/png_writer.hpp"
#include "ocr/prepare.hpp"
#include "scan/deferred_png.hpp"
#include "scan/image_codec.hpp"
#include "support/in_memory_service.hpp"

namespace {

using Clock = std::chrono::steady_clock;

double ms_since(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

const scan::RgbaImage& page_pixels() {
  static const scan::RgbaImage page = scan_bench::a4_page(1);
  return page;
}

// What the scanner delivers: the page as a PNG file.
const std::vector<std::uint8_t>& scanner_png() {
  static const std::vector<std::uint8_t> png = scan::encode_png(page_pixels()).value();
  return png;
}

void BM_CaptureDecode(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(scan::decode_image(scanner_png()));
  state.counters["png_mb"] = static_cast<double>(scanner_png().size()) / 1e6;
}

void BM_CaptureToRgba(benchmark::State& state) {
  const QImage decoded = scan::decode_image(scanner_png()).value();
  for (auto _ : state) benchmark::DoNotOptimize(scan::to_rgba(decoded));
}

void BM_CapturePrepareForEngine(benchmark::State& state) {
  const QImage decoded = scan::decode_image(scanner_png()).value();
  for (auto _ : state) benchmark::DoNotOptimize(ocr::prepare_image(decoded));
}

void BM_CaptureEnginePng(benchmark::State& state) {
  const QImage decoded = scan::decode_image(scanner_png()).value();
  const auto prepared = ocr::prepare_image(decoded).value();
  for (auto _ : state) benchmark::DoNotOptimize(ocr::encode_png(prepared.image));
}

// The capture worker without the engine process: decode, RGBA, prepare and
// the PNG handed to the engine.
void BM_CaptureWithoutEngine(benchmark::State& state) {
  for (auto _ : state) {
    const QImage decoded = scan::decode_image(scanner_png()).value();
    benchmark::DoNotOptimize(scan::to_rgba(decoded));
    const auto prepared = ocr::prepare_image(decoded).value();
    benchmark::DoNotOptimize(ocr::encode_png(prepared.image));
  }
}

// The PNG of an edited page, made on a worker (not on the UI thread).
void BM_EditedPagePngOffUiThread(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(scan::encode_png(page_pixels()));
}

class Picker final : public platform::FilePicker {
 public:
  platform::Receiver<platform::PickOutcome> pick(const platform::PickRequest&) override {
    auto [sender, receiver] = platform::oneshot<platform::PickOutcome>();
    pending = std::move(sender);
    return std::move(receiver);
  }
  platform::Sender<platform::PickOutcome> pending;
};

// A live root with a snapshot, the scan view open and `count` A4 pages.
struct Session {
  std::shared_ptr<support::InMemoryService> service = std::make_shared<support::InMemoryService>();
  std::shared_ptr<Picker> picker = std::make_shared<Picker>();
  std::unique_ptr<app::Orvane> root;
  ui::Context context;

  explicit Session(int count) {
    service->scanner_list = {{"scanner0", "Studio scanner"}};
    root = app::Orvane::create(app::Services{service, nullptr, {picker, nullptr}});
    while (!state().snapshot) pump();
    app::dispatch(state(), app::msg::OpenScan{});
    for (int i = 0; i < count; ++i) {
      const scan::RgbaImage pixels = scan_bench::a4_page(static_cast<std::uint32_t>(i + 1));
      app::ScannedPage page;
      page.status_text = "Recognized 412 words.";
      page.language_name = "English";
      page.recognized_text = "Quarterly report page " + std::to_string(i + 1);
      page.encoded_image = std::make_shared<const std::vector<std::uint8_t>>(scanner_png());
      page.pixels = std::make_shared<const std::vector<std::uint8_t>>(pixels.pixels);
      page.width = pixels.width;
      page.height = pixels.height;
      state().scanned_pages.push_back(std::move(page));
    }
    state().current_page_index = 0;
    state().current_page_view = state().scanned_pages[0];
    app::show_scan_view(state());
  }
  app::State& state() { return root->state_for_tests(); }
  bool pump() {
    const bool applied = root->update(context);
    if (!applied) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return applied;
  }
};

// An edit leaves the page's PNG to a background worker. Waiting for it
// between edits keeps one edit's encoding out of the next one's figure (and
// out of the next benchmark's): two back-to-back edits of a 35 MB page share
// the memory bus and the kernel's page-fault path, which doubled the
// measured crop after ten quick rotations.
void finish_background_png(const app::ScannedPage& page) {
  if (!scan::resolve_encoded_image(page.encoded_image)) std::abort();
}

void BM_RotateOnUiThread(benchmark::State& state) {
  Session session(1);
  const app::ScannedPage original = session.state().scanned_pages[0];
  for (auto _ : state) {
    app::dispatch(session.state(), app::msg::RotatePage{});
    state.PauseTiming();
    finish_background_png(session.state().scanned_pages[0]);
    session.state().scanned_pages[0] = original;
    state.ResumeTiming();
  }
}

void BM_CropOnUiThread(benchmark::State& state) {
  Session session(1);
  const app::ScannedPage original = session.state().scanned_pages[0];
  for (auto _ : state) {
    session.state().crop_selection.set({0.05, 0.05, 0.95, 0.95});
    app::dispatch(session.state(), app::msg::ApplyCrop{});
    state.PauseTiming();
    finish_background_png(session.state().scanned_pages[0]);
    session.state().scanned_pages[0] = original;
    state.ResumeTiming();
  }
}

// Every UI-thread step of saving a 10-page document is timed: the request
// that opens the picker, the update that takes the picked path, and each
// update until the notice is on screen. The longest one is the stall.
void BM_SaveDocumentUiStall(benchmark::State& state) {
  Session session(10);
  const auto folder = std::filesystem::temp_directory_path() / "orvane-scan-bench";
  std::filesystem::create_directories(folder);
  double longest = 0;
  double picked = 0;
  double whole = 0;
  for (auto _ : state) {
    auto start = Clock::now();
    app::dispatch(session.state(), app::msg::SaveScannedDocument{});
    longest = std::max(longest, ms_since(start));
    const auto saving = Clock::now();
    session.picker->pending.send(platform::PickedPath{(folder / "document.pdf").string()});
    session.state().notice.reset();
    while (!session.state().notice) {
      start = Clock::now();
      const bool had_picker = session.state().save_picker.has_value();
      session.root->update(session.context);
      const double step = ms_since(start);
      if (had_picker && !session.state().save_picker) picked = step;
      longest = std::max(longest, step);
      std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    whole = ms_since(saving);
    state.SetIterationTime(longest / 1000.0);
  }
  state.counters["longest_ui_step_ms"] = longest;
  state.counters["picked_path_step_ms"] = picked;
  state.counters["pick_to_notice_ms"] = whole;
  std::filesystem::remove_all(folder);
}

}  // namespace

BENCHMARK(BM_CaptureDecode)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_CaptureToRgba)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_CapturePrepareForEngine)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_CaptureEnginePng)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_CaptureWithoutEngine)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_EditedPagePngOffUiThread)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_RotateOnUiThread)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_CropOnUiThread)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_SaveDocumentUiStall)->Unit(benchmark::kMillisecond)->Iterations(2)->UseManualTime();

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  // The page and its PNG are made once, before any timing.
  scanner_png();
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
