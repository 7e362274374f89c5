// How long the preview worker takes for the documents people print most:
// a one-page letter, a long report, a camera photo and a text file.

#include <benchmark/benchmark.h>

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <cstdlib>
#include <string>

#include "printing/preview_image_service.hpp"

namespace {

QTemporaryDir& fixtures() {
  static QTemporaryDir dir;
  return dir;
}

std::string fixture_path(const char* name) { return fixtures().filePath(name).toStdString(); }

// Pages of running text with a heading and a drawing, like a letter or a
// report exported from an office suite.
void write_pdf(const char* name, int pages) {
  QPdfWriter writer(fixtures().filePath(name));
  writer.setPageSize(QPageSize(QPageSize::A4));
  writer.setResolution(300);
  QPainter painter(&writer);
  QFont body(QStringLiteral("DejaVu Serif"));
  body.setPointSizeF(11);
  QFont heading(QStringLiteral("DejaVu Sans"));
  heading.setPointSizeF(18);
  heading.setBold(true);
  for (int page = 0; page < pages; ++page) {
    if (page > 0) writer.newPage();
    painter.setFont(heading);
    painter.drawText(QPoint(0, 80), QStringLiteral("Quarterly report, part %1").arg(page + 1));
    painter.setFont(body);
    for (int line = 0; line < 48; ++line) {
      painter.drawText(QPoint(0, 200 + line * 55),
                       QStringLiteral("Line %1: the quick brown fox jumps over the lazy dog, "
                                      "then files its expenses in triplicate.")
                           .arg(line + 1));
    }
    painter.setBrush(QColor(40, 90, 160));
    painter.drawEllipse(QRect(1400, 2900, 600, 400));
  }
}

// A photo-like picture: smooth gradients with sensor noise, which JPEG does
// not compress away.
void write_photo(const char* name) {
  QImage photo(4000, 3000, QImage::Format_RGB32);
  QRandomGenerator random(42);
  for (int y = 0; y < photo.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(photo.scanLine(y));
    for (int x = 0; x < photo.width(); ++x) {
      const int noise = static_cast<int>(random.bounded(24));
      row[x] = qRgb((x / 16 + noise) & 0xFF, (y / 12 + noise) & 0xFF, ((x + y) / 28) & 0xFF);
    }
  }
  photo.save(fixtures().filePath(name), "JPEG", 90);
}

void write_text(const char* name) {
  QFile file(fixtures().filePath(name));
  if (!file.open(QIODevice::WriteOnly)) std::abort();
  for (int line = 0; line < 400; ++line) {
    file.write(QStringLiteral("%1\tA line of a plain text file, as long as a sentence.\n")
                   .arg(line + 1)
                   .toUtf8());
  }
}

void generate(benchmark::State& state, const char* name) {
  printing::QtPreviewImageService service;
  const std::string path = fixture_path(name);
  for (auto _ : state) {
    auto image = service.generate(path, service.category_for_path(path), 720);
    if (!image) state.SkipWithError("no preview");
    benchmark::DoNotOptimize(image);
  }
}

BENCHMARK_CAPTURE(generate, pdf_a4_one_page, "one-page.pdf")
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(7)
    ->DisplayAggregatesOnly(true);
BENCHMARK_CAPTURE(generate, pdf_twelve_pages, "twelve-pages.pdf")
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(7)
    ->DisplayAggregatesOnly(true);
BENCHMARK_CAPTURE(generate, jpeg_4000x3000, "photo.jpg")
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(7)
    ->DisplayAggregatesOnly(true);
BENCHMARK_CAPTURE(generate, text_file, "notes.txt")
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(7)
    ->DisplayAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
  // The text preview draws with fonts, which need a GUI application.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication application(argc, argv);
  write_pdf("one-page.pdf", 1);
  write_pdf("twelve-pages.pdf", 12);
  write_photo("photo.jpg");
  write_text("notes.txt");
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
