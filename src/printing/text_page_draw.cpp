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
constexpr qint64 kTextBytesRead = qint64{64} * 1024;
constexpr int kTabWidth = 8;
constexpr int kLineCharacters = 240;

// The same rule as the MIME database's own text detection: any other
// control character makes the file binary.
bool is_text_character(char16_t c) { return c >= 0x20 || c == u'\t' || c == u'\n' || c == u'\r'; }

// The text of the file's first bytes: UTF-8 when they are valid UTF-8 (a
// character cut by the read limit is not an error), else Latin-1, which the
// MIME database also accepts as plain text. Nothing when they are not text.
std::optional<QString> read_text(QFile& file) {
  const QByteArray bytes = file.read(kTextBytesRead);
  if (bytes.isEmpty()) return std::nullopt;
  QStringDecoder utf8(QStringConverter::Utf8);
  QString text = utf8.decode(bytes);
  if (utf8.hasError()) text = QString::fromLatin1(bytes);
  for (const QChar c : text) {
    if (!is_text_character(c.unicode()) || c.unicode() == 0x7f) return std::nullopt;
  }
  return text;
}

QString expand_tabs(QStringView line) {
  QString out;
  for (const QChar c : line) {
    if (out.size() >= kLineCharacters) break;
    if (c == u'\t') {
      out.append(QString(kTabWidth - out.size() % kTabWidth, u' '));
    } else if (c != u'\r') {
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

  const QStringView lines(*text);
  int baseline = margin + metrics.ascent();
  qsizetype start = 0;
  while (start <= lines.size() && baseline + metrics.descent() <= height - margin) {
    qsizetype end = lines.indexOf(u'\n', start);
    if (end < 0) end = lines.size();
    painter.drawText(QPoint(margin, baseline), expand_tabs(lines.mid(start, end - start)));
    baseline += line_height;
    start = end + 1;
  }
  painter.end();
  return page;
}

}  // namespace printing::preview
