#include "cli/load_image.hpp"

#include <QImageReader>
#include <cstdint>

#include "ocr/ocr_error.hpp"
#include "ocr/prepare.hpp"

namespace cli {

platform::Result<QImage> load_image(const std::string& path) {
  QImageReader reader(QString::fromStdString(path));
  reader.setDecideFormatFromContent(true);
  const QSize size = reader.size();
  if (size.isValid() && !ocr::within_size_limits(static_cast<std::uint64_t>(size.width()),
                                                 static_cast<std::uint64_t>(size.height()))) {
    return platform::err(path + ": " +
                         ocr::describe(ocr::ocr_error(ocr::OcrError::Kind::ImageTooLarge)));
  }
  QImage image = reader.read();
  if (image.isNull()) {
    return platform::err(path + ": cannot read the image (" + reader.errorString().toStdString() +
                         ")");
  }
  return image;
}

}  // namespace cli
