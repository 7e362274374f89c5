// Random bytes as a picked document: the preview service reads them from a
// file, as the preview worker does, first by their detected category and
// then as each kind of document in turn.

#include <unistd.h>

#include <QByteArray>
#include <QFile>
#include <QGuiApplication>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "printing/preview_image_service.hpp"

namespace {

std::string document_path;

}  // namespace

// Fontconfig keeps what it loads for a new character (fallback fonts,
// charsets) for the life of the process; those caches are not leaks of the
// code under test.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig\n"; }

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  // Text previews draw with fonts, which need a GUI application.
  // Qt keeps a reference to the argument count, and the application must
  // outlive every exit handler: both live for the whole process.
  static int application_argc = 1;
  static char* application_argv[] = {(*argv)[0], nullptr};
  (void)argc;
  qputenv("QT_QPA_PLATFORM", "offscreen");
  new QGuiApplication(application_argc, application_argv);
  document_path = "/tmp/orvane-preview-fuzz-" + std::to_string(::getpid());
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  {
    QFile file(QString::fromStdString(document_path));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) std::abort();
    file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
  }
  printing::QtPreviewImageService service;
  const std::uint8_t detected = service.category_for_path(document_path);
  for (const std::uint8_t category :
       {detected, std::uint8_t{1}, std::uint8_t{2}, std::uint8_t{3}}) {
    const auto image = service.generate(document_path, category, 720);
    if (!image) continue;
    // A picture must be whole: the host reads width x height RGBA pixels.
    if (!image->pixels || image->width == 0 || image->height == 0 || image->width > 720 ||
        image->height > 720 ||
        image->pixels->size() != std::size_t{image->width} * image->height * 4) {
      std::abort();
    }
  }
  return 0;
}
