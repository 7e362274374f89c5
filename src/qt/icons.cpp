#include "qt/icons.hpp"

#include <QCoreApplication>
#include <QHash>
#include <QPainter>
#include <QSvgRenderer>
#include <algorithm>

// Resources of a static library are registered by hand, outside any namespace.
static void register_icon_resources() { Q_INIT_RESOURCE(icons); }

namespace qthost {
namespace {

struct Glyph {
  int number;
  const char* file;
};

constexpr Glyph kGlyphs[] = {
    {5, "printer"}, {18, "add"},  {19, "find"},    {23, "document-unavailable"}, {28, "scanner"},
    {38, "back"},   {39, "open"}, {60, "history"}, {70, "diagnostics"},          {76, "refresh"},
};

QHash<QString, QPixmap>& pixmap_cache() {
  static QHash<QString, QPixmap> cache;
  return cache;
}

QHash<int, QIcon>& icon_cache() {
  static QHash<int, QIcon> cache;
  return cache;
}

// Pixmaps must not outlive the GUI application that made them.
void drop_caches() {
  pixmap_cache().clear();
  icon_cache().clear();
}

void prepare() {
  static const bool registered = [] {
    register_icon_resources();
    return true;
  }();
  (void)registered;
  static const QCoreApplication* watched = nullptr;
  if (QCoreApplication::instance() && watched != QCoreApplication::instance()) {
    watched = QCoreApplication::instance();
    qAddPostRoutine(drop_caches);
  }
}

}  // namespace

bool has_icon(int number) {
  return std::any_of(std::begin(kGlyphs), std::end(kGlyphs),
                     [number](const Glyph& g) { return g.number == number; });
}

QString icon_path(int number) {
  prepare();
  for (const Glyph& glyph : kGlyphs) {
    if (glyph.number == number) {
      return QStringLiteral(":/orvane/icons/%1.svg").arg(QLatin1String(glyph.file));
    }
  }
  return QStringLiteral(":/orvane/icons/unknown.svg");
}

QPixmap icon_pixmap(int number, int size, qreal device_pixel_ratio) {
  prepare();
  size = std::clamp(size, 1, 512);
  device_pixel_ratio = std::clamp(device_pixel_ratio, 1.0, 4.0);
  const QString key = QStringLiteral("%1/%2/%3").arg(number).arg(size).arg(device_pixel_ratio);
  auto& cache = pixmap_cache();
  auto found = cache.constFind(key);
  if (found != cache.constEnd()) return *found;

  const int pixels = qRound(size * device_pixel_ratio);
  QPixmap pixmap(pixels, pixels);
  pixmap.fill(Qt::transparent);
  {
    QSvgRenderer renderer(icon_path(number));
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, QRectF(0, 0, pixels, pixels));
  }
  pixmap.setDevicePixelRatio(device_pixel_ratio);
  cache.insert(key, pixmap);
  return pixmap;
}

QIcon icon(int number) {
  auto& cache = icon_cache();
  auto found = cache.constFind(number);
  if (found != cache.constEnd()) return *found;
  QIcon result;
  for (int size : {16, 20, 24, 32}) {
    result.addPixmap(icon_pixmap(number, size, 1.0));
    result.addPixmap(icon_pixmap(number, size, 2.0));
  }
  cache.insert(number, result);
  return result;
}

}  // namespace qthost
