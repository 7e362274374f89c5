#pragma once
// The three kinds of picture the preview service makes. Each takes the
// opened document and the longest side allowed, and gives a null image when
// the document cannot be shown.

#include <QFile>
#include <QImage>
#include <optional>

#include "devices/preview_service.hpp"

namespace printing::preview {

// Page 1 of a PDF, rendered to fit. A locked (password protected) or broken
// document gives nothing.
QImage render_pdf_page(QFile& file, int long_side);

// An image file in any format Qt reads, detected from its content. Qt's
// allocation limit stays in force, so a header that claims a huge picture is
// refused instead of exhausting memory.
QImage decode_image(QFile& file, int long_side);

// The first lines of a UTF-8 text file drawn on a white page of A4 shape.
// Needs a QGuiApplication (for fonts); without one, or for content that is
// not text, it gives nothing.
QImage draw_text_page(QFile& file, int long_side);

// Fits the picture within `long_side`, lays it on white paper and hands out
// RGBA8888 bytes.
std::optional<devices::PreviewImage> to_preview_image(QImage image, int long_side);

}  // namespace printing::preview
