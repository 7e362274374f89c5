#pragma once
// The bundled icon set behind the toolkit's icon numbers. Icons are SVG files
// compiled into the library, because icon themes are not available on every
// desktop (and never headlessly).

#include <QIcon>
#include <QPixmap>
#include <QString>

namespace qthost {

// The resource path of the glyph for an icon number; unknown numbers get a
// neutral glyph rather than nothing.
QString icon_path(int number);
// True when the number has a glyph of its own.
bool has_icon(int number);

QPixmap icon_pixmap(int number, int size, qreal device_pixel_ratio);
QIcon icon(int number);

}  // namespace qthost
