#include <QCoreApplication>
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QStringDecoder>
#include <algorithm>
#include <cmath>
#include <optional>

#include "printing/preview_renderers.hpp"

namespace printing::preview {
namespace {

// Enough for a page of lines; the rest of the file is never read.
constexpr qint64 kTextBytesRead = 64 * 1024;
constexpr int kTabWidth = 8;
constexpr int kLineCharacters = 240;

bool is_unprintable_control(char16_t c) {
  switch (c) {
    case u'\t':
    case u'\n':
    case u'\v':
    case u'\f':
    case u'\r':
    case u'\x1b':
      return false;
    default:
      return c < 0x20 || c == 0x7f;
  }
}

// The text of the file's first bytes, or nothing when they are not UTF-8
// text. A multi-byte character cut by the read limit is not an error.
std::optional<QString> read_text(QFile& file) {
  const QByteArray bytes = file.read(kTextBytesRead);
  if (bytes.isEmpty()) return std::nullopt;
  QStringDecoder decoder(QStringConverter::Utf8);
  QString text = decoder.decode(bytes);
  if (decoder.hasError()) return std::nullopt;
  for (const QChar c : text) {
    if (is_unprintable_control(c.unicode())) return std::nullopt;
  }
  return text;
}

QString expand_tabs(QStringView line) {
  QString out;
  for (const QChar c : line) {
    if (out.size() >= kLineCharacters) break;
    if (c == u'\t') {
      out.append(QString(kTabWidth - out.size() % kTabWidth, u' '));
    } else if (c != u'\r' && c != u'\x1b' && c != u'\v') {
      out.append(c);
    }
  }
  return out;
}

}  // namespace

QImage draw_text_page(QFile& file, int long_side) {
  // Fonts need the GUI application; without one Qt would abort.
  if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) return {};
  const std::optional<QString> text = read_text(file);
  if (!text) return {};

  const int height = long_side;
  const int width = std::max(1, static_cast<int>(std::lround(long_side * 210.0 / 297.0)));
  QImage page(width, height, QImage::Format_RGB32);
  if (page.isNull()) return {};
  page.fill(Qt::white);

  const int margin = std::max(2, height / 20);
  QFont font(QStringLiteral("DejaVu Sans Mono"));
  font.setStyleHint(QFont::Monospace);
  font.setPixelSize(std::max(4, height / 60));

  QPainter painter(&page);
  painter.setRenderHint(QPainter::TextAntialiasing);
  painter.setFont(font);
  painter.setPen(Qt::black);
  painter.setClipRect(margin, margin, width - 2 * margin, height - 2 * margin);
  const QFontMetrics metrics(font, &page);
  const int line_height = std::max(1, metrics.lineSpacing());

  // A form feed ends the first page.
  const QStringView first_page = QStringView(*text).left(text->indexOf(u'\f'));
  int baseline = margin + metrics.ascent();
  qsizetype start = 0;
  while (start <= first_page.size() && baseline + metrics.descent() <= height - margin) {
    qsizetype end = first_page.indexOf(u'\n', start);
    if (end < 0) end = first_page.size();
    painter.drawText(QPoint(margin, baseline), expand_tabs(first_page.mid(start, end - start)));
    baseline += line_height;
    start = end + 1;
  }
  painter.end();
  return page;
}

}  // namespace printing::preview
