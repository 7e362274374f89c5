#include <poppler-qt6.h>

#include <algorithm>
#include <cmath>
#include <memory>

#include "printing/preview_renderers.hpp"

namespace printing::preview {

QImage render_pdf_page(QFile& file, int long_side) {
  // A document of its own for every call: poppler documents are not shared
  // between threads.
  std::unique_ptr<Poppler::Document> document = Poppler::Document::load(&file);
  if (!document || document->isLocked() || document->numPages() < 1) return {};
  document->setRenderHint(Poppler::Document::Antialiasing);
  document->setRenderHint(Poppler::Document::TextAntialiasing);
  const std::unique_ptr<Poppler::Page> page = document->page(0);
  if (!page) return {};
  const QSizeF points = page->pageSizeF();
  const double longest = std::max(points.width(), points.height());
  if (!(points.width() > 0.0 && points.height() > 0.0) || !std::isfinite(longest)) return {};
  const double dpi = 72.0 * static_cast<double>(long_side) / longest;
  return page->renderToImage(dpi, dpi);
}

}  // namespace printing::preview
