#include "printing/preview_image_service.hpp"

#include <poppler-qt6.h>

#include <QImageReader>
#include <QMimeDatabase>
#include <algorithm>
#include <mutex>
#include <new>

#include "printing/preview_file.hpp"
#include "printing/preview_renderers.hpp"
#include "printing/printing.hpp"

namespace printing {
namespace {

void ignore_poppler_message(const QString&, const QVariant&) {}

bool is_readable_image_type(const QMimeType& type) {
  static const QList<QByteArray> readable = QImageReader::supportedMimeTypes();
  for (const QByteArray& name : readable) {
    if (type.inherits(QString::fromLatin1(name))) return true;
  }
  return false;
}

PreviewCategory category_of(const QMimeType& type) {
  if (type.inherits(QStringLiteral("application/pdf"))) return PreviewCategory::Pdf;
  if (type.name().startsWith(QStringLiteral("image/")) && is_readable_image_type(type)) {
    return PreviewCategory::Image;
  }
  // PostScript is text to the MIME database, but the printer renders it:
  // its source code would be a misleading picture of the document.
  if (type.inherits(QStringLiteral("application/postscript"))) return PreviewCategory::Other;
  if (type.inherits(QStringLiteral("text/plain"))) return PreviewCategory::Text;
  return PreviewCategory::Other;
}

}  // namespace

QtPreviewImageService::QtPreviewImageService() {
  // Broken documents are expected here; poppler's complaints about them would
  // only flood the log.
  static std::once_flag quiet;
  std::call_once(quiet, [] { Poppler::setDebugErrorFunction(ignore_poppler_message, {}); });
}

std::uint8_t QtPreviewImageService::category_for_path(const std::string& path) {
  try {
    const std::unique_ptr<QFile> file = preview::open_regular_file(path);
    if (!file) return static_cast<std::uint8_t>(PreviewCategory::Other);
    const QMimeDatabase database;
    return static_cast<std::uint8_t>(category_of(database.mimeTypeForData(file.get())));
  } catch (const std::exception&) {
    return static_cast<std::uint8_t>(PreviewCategory::Other);
  }
}

std::optional<devices::PreviewImage> QtPreviewImageService::generate(const std::string& path,
                                                                     std::uint8_t category,
                                                                     std::uint32_t size_limit) {
  const int long_side = static_cast<int>(std::min(size_limit, kMaxPreviewSide));
  if (long_side < 1) return std::nullopt;
  try {
    const std::unique_ptr<QFile> file = preview::open_regular_file(path);
    if (!file) return std::nullopt;
    QImage picture;
    switch (static_cast<PreviewCategory>(category)) {
      case PreviewCategory::Pdf:
        picture = preview::render_pdf_page(*file, long_side);
        break;
      case PreviewCategory::Image:
        picture = preview::decode_image(*file, long_side);
        break;
      case PreviewCategory::Text:
        picture = preview::draw_text_page(*file, long_side);
        break;
      case PreviewCategory::Other:
        return std::nullopt;
    }
    return preview::to_preview_image(std::move(picture), long_side);
  } catch (const std::exception&) {
    // Out of memory on a huge page: no preview, and the worker still reports.
    return std::nullopt;
  }
}

devices::PreviewServicePtr make_preview_service() {
  return std::make_shared<QtPreviewImageService>();
}

}  // namespace printing
