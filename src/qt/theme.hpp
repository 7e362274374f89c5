#pragma once
// The dark theme of the host: one palette for the whole application (file
// dialogs included), the colours the painted surfaces use, and the fonts of
// the text styles. Painting and palettes instead of style sheets keep a
// rebuild of a large page cheap.

#include <QColor>
#include <QFont>

class QApplication;
class QWidget;

namespace qthost::theme {

inline const QColor kWindow{0x1b, 0x1c, 0x1f};
inline const QColor kSurface{0x25, 0x27, 0x2b};
inline const QColor kSurfaceBorder{0x36, 0x38, 0x3e};
inline const QColor kText{0xe8, 0xea, 0xed};
inline const QColor kSecondaryText{0x9a, 0xa0, 0xa8};
inline const QColor kAccent{0x3b, 0x82, 0xf6};
// Fusion lightens and desaturates button colours; this base comes out as the accent.
inline const QColor kAccentButton{0x1c, 0x4c, 0xd4};
inline const QColor kNeutralButton{0x33, 0x35, 0x3b};
inline const QColor kTrack{0x3a, 0x3c, 0x42};

// Fusion style and the dark palette, once per application.
void apply(QApplication& application);

QFont text_font(int pixel_size, bool heavy);

// Colours a widget's own text and the button it draws.
void use_secondary_text(QWidget& widget);
void use_accent_button(QWidget& widget);
void use_neutral_button(QWidget& widget);

}  // namespace qthost::theme
