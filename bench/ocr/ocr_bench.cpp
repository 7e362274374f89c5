// The engine on an A4 page at 300 dpi (2480 x 3508) with 30 lines of text
// tilted by 2 degrees: preparation, PNG encoding, TSV parsing, and the whole
// recognition against the bare tesseract run on the same prepared file.

#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <time.h>

#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <span>
#include <string>

#include "ocr/image_library.hpp"
#include "ocr/png_writer.hpp"
#include "ocr/prepare.hpp"
#include "ocr/recognize.hpp"
#include "ocr/rotate.hpp"
#include "ocr/skew.hpp"
#include "ocr/tsv.hpp"
#include "platform/command_runner.hpp"

namespace {

constexpr int kWidth = 2480;
constexpr int kHeight = 3508;

// RGBA, as a scan arrives from the scanner.
const QImage& a4_page() {
  static const QImage page = [] {
    QImage image(kWidth, kHeight, QImage::Format_RGBA8888);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing);
    QFont font("DejaVu Sans");
    font.setPixelSize(42);  // 10 pt at 300 dpi
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.translate(kWidth / 2.0, kHeight / 2.0);
    painter.rotate(2);
    painter.translate(-kWidth / 2.0, -kHeight / 2.0);
    const char* lines[] = {
        "Printers and scanners on one page, in plain words for everyone who",
        "needs them: the quick brown fox jumps over the lazy dog by the river,",
        "pack my box with five dozen liquor jugs, sphinx of black quartz, judge",
    };
    for (int i = 0; i < 30; ++i) painter.drawText(250, 350 + i * 95, lines[i % 3]);
    painter.end();
    return image;
  }();
  return page;
}

ocr::PixelImage pixels_of(const QImage& image) {
  return {ocr::PixelFormat::Rgba8, static_cast<std::uint32_t>(image.width()),
          static_cast<std::uint32_t>(image.height()),
          std::span<const std::uint8_t>(image.constBits(),
                                        static_cast<std::size_t>(image.sizeInBytes())),
          static_cast<std::size_t>(image.bytesPerLine())};
}

const ocr::PreparedImage& prepared_page() {
  static const ocr::PreparedImage prepared = ocr::prepare_image(pixels_of(a4_page())).value();
  return prepared;
}

void BM_PrepareImage(benchmark::State& state) {
  const auto pixels = pixels_of(a4_page());
  for (auto _ : state) {
    auto prepared = ocr::prepare_image(pixels);
    if (!prepared.ok() || !prepared->tilt_degrees) state.SkipWithError("tilt not found");
    benchmark::DoNotOptimize(prepared);
  }
}
BENCHMARK(BM_PrepareImage)->Unit(benchmark::kMillisecond)->MinTime(3);

void BM_EstimateSkew(benchmark::State& state) {
  auto gray = ocr::gray_from(pixels_of(a4_page())).value();
  ocr::raise_contrast(gray);
  for (auto _ : state) benchmark::DoNotOptimize(ocr::estimate_skew(gray));
}
BENCHMARK(BM_EstimateSkew)->Unit(benchmark::kMillisecond)->MinTime(2);

void BM_RotateAboutCenter(benchmark::State& state) {
  const auto& gray = prepared_page().image;
  for (auto _ : state) benchmark::DoNotOptimize(ocr::rotate_about_center(gray, 2.0));
}
BENCHMARK(BM_RotateAboutCenter)->Unit(benchmark::kMillisecond)->MinTime(2);

void BM_EncodePng(benchmark::State& state) {
  const auto& image = prepared_page().image;
  std::size_t size = 0;
  for (auto _ : state) {
    auto png = ocr::encode_png(image);
    size = png.ok() ? png->size() : 0;
    benchmark::DoNotOptimize(png);
  }
  state.counters["png_bytes"] = static_cast<double>(size);
}
BENCHMARK(BM_EncodePng)->Unit(benchmark::kMillisecond)->MinTime(3);

// A 16 MiB table shaped like the engine's: every level of the layout, about
// two thirds of the rows words, just under the word limit.
std::string big_tsv() {
  std::string tsv =
      "level\tpage_num\tblock_num\tpar_num\tline_num\tword_num\tleft\ttop\twidth\theight\tconf\t"
      "text\n";
  const char* words[] = {"Printers", "and",   "scanners", "on",  "one",      "page,",
                         "in",       "plain", "words",    "for", "everyone", "Straße"};
  std::size_t count = 0;
  for (std::uint32_t block = 1; tsv.size() < ocr::kMaxOutputBytes - 4096; ++block) {
    tsv += "2\t1\t" + std::to_string(block) + "\t0\t0\t0\t120\t340\t2100\t2900\t-1\t\n";
    for (std::uint32_t line = 1; line <= 12 && tsv.size() < ocr::kMaxOutputBytes - 4096; ++line) {
      tsv += "4\t1\t" + std::to_string(block) + "\t1\t" + std::to_string(line) +
             "\t0\t250\t350\t2000\t48\t-1\t\n";
      for (std::uint32_t word = 1; word <= 12; ++word) {
        if (count == ocr::kMaxWords) break;
        tsv += "5\t1\t" + std::to_string(block) + "\t1\t" + std::to_string(line) + "\t" +
               std::to_string(word) + "\t" + std::to_string(250 + word * 150) + "\t" +
               std::to_string(350 + line * 95) + "\t140\t44\t96.417953\t" + words[word % 12] + "\n";
        ++count;
      }
    }
  }
  return tsv;
}

void BM_ParseTsv16MiB(benchmark::State& state) {
  const std::string tsv = big_tsv();
  std::size_t words = 0;
  for (auto _ : state) {
    auto result = ocr::parse_tsv(tsv, "eng");
    words = result.ok() ? result->words.size() : 0;
    benchmark::DoNotOptimize(result);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * tsv.size()));
  state.counters["words"] = static_cast<double>(words);
  state.counters["tsv_bytes"] = static_cast<double>(tsv.size());
}
BENCHMARK(BM_ParseTsv16MiB)->Unit(benchmark::kMillisecond)->MinTime(3);

double milliseconds(const timeval& t) { return t.tv_sec * 1e3 + t.tv_usec / 1e3; }

// CPU time of the finished child processes, in ms.
double children_cpu_ms() {
  rusage usage{};
  ::getrusage(RUSAGE_CHILDREN, &usage);
  return milliseconds(usage.ru_utime) + milliseconds(usage.ru_stime);
}

// CPU time of this process on every thread (Qt converts on a thread pool).
double own_cpu_ms() {
  timespec t{};
  ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

// Per iteration: what tesseract used and what the caller used besides it.
// CPU times stay meaningful on a busy machine, where wall times do not.
struct CpuSplit {
  double engine_start = children_cpu_ms();
  double own_start = own_cpu_ms();
  void report(benchmark::State& state) const {
    const auto n = static_cast<double>(state.iterations());
    state.counters["tesseract_cpu_ms"] = (children_cpu_ms() - engine_start) / n;
    state.counters["own_cpu_ms"] = (own_cpu_ms() - own_start) / n;
  }
};

// The prepared page as the engine reads it, written once.
const std::string& prepared_file() {
  static const std::string path = [] {
    const auto file = std::filesystem::temp_directory_path() / "orvane-ocr-bench-page.png";
    std::ofstream(file, std::ios::binary) << ocr::encode_png(prepared_page().image).value();
    return file.string();
  }();
  return path;
}

void BM_BareTesseract(benchmark::State& state) {
  const auto command = ocr::tesseract_command(prepared_file(), "eng", {});
  const CpuSplit cpu;
  for (auto _ : state) {
    auto output = platform::run_prepared_with_limits(command, ocr::production_limits());
    if (!output.ok() || !output->status.success()) state.SkipWithError("tesseract failed");
    benchmark::DoNotOptimize(output);
  }
  cpu.report(state);
}

void BM_RecognizeImage(benchmark::State& state) {
  const auto pixels = pixels_of(a4_page());
  std::size_t words = 0;
  const CpuSplit cpu;
  for (auto _ : state) {
    auto result = ocr::recognize_image(pixels, "eng");
    if (!result.ok()) state.SkipWithError(ocr::describe(result.error()).c_str());
    words = result.ok() ? result->words.size() : 0;
  }
  cpu.report(state);
  state.counters["words"] = static_cast<double>(words);
}

// Interleaved so that both see the same machine load.
BENCHMARK(BM_BareTesseract)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2)
    ->Repetitions(3)
    ->UseRealTime();
BENCHMARK(BM_RecognizeImage)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2)
    ->Repetitions(3)
    ->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::filesystem::remove(std::filesystem::temp_directory_path() / "orvane-ocr-bench-page.png");
  return 0;
}
