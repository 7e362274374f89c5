#include "qt/theme.hpp"

#include <QApplication>
#include <QHash>
#include <QPalette>
#include <QStyle>
#include <QStyleFactory>
#include <QWidget>
#include <algorithm>

namespace qthost::theme {

void apply(QApplication& application) {
  if (application.property("orvaneTheme").toBool()) return;
  application.setProperty("orvaneTheme", true);
  if (QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion"))) {
    QApplication::setStyle(fusion);
  }
  QPalette palette;
  palette.setColor(QPalette::Window, kWindow);
  palette.setColor(QPalette::WindowText, kText);
  palette.setColor(QPalette::Base, kSurface);
  palette.setColor(QPalette::AlternateBase, QColor(0x2c, 0x2e, 0x33));
  palette.setColor(QPalette::Text, kText);
  palette.setColor(QPalette::PlaceholderText, kSecondaryText);
  palette.setColor(QPalette::Button, kNeutralButton);
  palette.setColor(QPalette::ButtonText, kText);
  palette.setColor(QPalette::BrightText, Qt::white);
  palette.setColor(QPalette::Highlight, kAccent);
  palette.setColor(QPalette::HighlightedText, Qt::white);
  palette.setColor(QPalette::ToolTipBase, kSurface);
  palette.setColor(QPalette::ToolTipText, kText);
  palette.setColor(QPalette::Link, kAccent.lighter(130));
  palette.setColor(QPalette::Light, QColor(0x4a, 0x4d, 0x55));
  palette.setColor(QPalette::Midlight, QColor(0x3a, 0x3c, 0x42));
  palette.setColor(QPalette::Mid, QColor(0x2a, 0x2c, 0x31));
  palette.setColor(QPalette::Dark, QColor(0x15, 0x16, 0x18));
  palette.setColor(QPalette::Shadow, Qt::black);
  const QColor disabled(0x6b, 0x6f, 0x76);
  for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
    palette.setColor(QPalette::Disabled, role, disabled);
  }
  QApplication::setPalette(palette);
}

QFont text_font(int pixel_size, bool heavy) {
  static QHash<int, QFont> cache;
  const int key = pixel_size * 2 + (heavy ? 1 : 0);
  auto found = cache.constFind(key);
  if (found != cache.constEnd()) return *found;
  QFont font = QApplication::font();
  font.setPixelSize(std::max(1, pixel_size));
  font.setWeight(heavy ? QFont::DemiBold : QFont::Normal);
  cache.insert(key, font);
  return font;
}

void use_secondary_text(QWidget& widget) {
  QPalette palette = widget.palette();
  palette.setColor(QPalette::WindowText, kSecondaryText);
  palette.setColor(QPalette::Text, kSecondaryText);
  widget.setPalette(palette);
}

void use_accent_button(QWidget& widget) {
  QPalette palette = widget.palette();
  palette.setColor(QPalette::Button, kAccentButton);
  palette.setColor(QPalette::ButtonText, Qt::white);
  widget.setPalette(palette);
}

void use_neutral_button(QWidget& widget) {
  QPalette palette = widget.palette();
  palette.setColor(QPalette::Button, kNeutralButton);
  palette.setColor(QPalette::ButtonText, kText);
  widget.setPalette(palette);
}

}  // namespace qthost::theme
