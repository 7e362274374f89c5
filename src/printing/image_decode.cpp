#include <QImageReader>
#include <algorithm>

#include "printing/preview_renderers.hpp"

namespace printing::preview {

QImage decode_image(QFile& file, int long_side) {
  QImageReader reader(&file);
  reader.setDecideFormatFromContent(true);
  reader.setAutoTransform(true);
  const QSize stored = reader.size();
  if (stored.isValid() && std::max(stored.width(), stored.height()) > long_side) {
    // Decoders that can (JPEG) then decode at a fraction of the size, which
    // is most of the time spent on a camera photo.
    QSize fitted = stored.scaled(long_side, long_side, Qt::KeepAspectRatio);
    fitted = fitted.expandedTo(QSize(1, 1));
    reader.setScaledSize(fitted);
  }
  return reader.read();
}

}  // namespace printing::preview
