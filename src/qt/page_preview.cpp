#include "qt/page_preview.hpp"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>
#include <algorithm>

#include "qt/theme.hpp"

namespace qthost {
namespace {

class PageGlyph final : public QWidget {
 public:
  explicit PageGlyph(QWidget* parent) : QWidget(parent) { setFixedSize(30, 38); }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF page(1.5, 1.5, width() - 3, height() - 3);
    const qreal fold = 8;
    QPolygonF outline;
    outline << page.topLeft() << QPointF(page.right() - fold, page.top())
            << QPointF(page.right(), page.top() + fold) << page.bottomRight() << page.bottomLeft();
    painter.setPen(QPen(theme::kSecondaryText, 1.5));
    painter.setBrush(theme::kSurface.lighter(130));
    painter.drawPolygon(outline);
    painter.setPen(QPen(theme::kSecondaryText, 1.2));
    for (int line = 0; line < 4; ++line) {
      const qreal y = page.top() + 12 + line * 5.5;
      painter.drawLine(QPointF(page.left() + 5, y), QPointF(page.right() - 5, y));
    }
  }
};

}  // namespace

PagePosition clamp_page(std::uint32_t page, std::uint32_t count) {
  const std::uint32_t total = std::max<std::uint32_t>(1, count);
  return {std::clamp<std::uint32_t>(page, 1, total), total};
}

QWidget* make_page_preview(const std::string& label, std::uint32_t page, std::uint32_t count) {
  const PagePosition position = clamp_page(page, count);
  const QString label_text = QString::fromStdString(label);
  const QString page_text = QStringLiteral("Page %1 of %2").arg(position.page).arg(position.count);

  auto* preview = new QWidget;
  preview->setAccessibleName(label_text);
  preview->setAccessibleDescription(page_text);
  auto* row = new QHBoxLayout(preview);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(10);
  row->addWidget(new PageGlyph(preview), 0, Qt::AlignVCenter);
  auto* texts = new QVBoxLayout;
  texts->setSpacing(2);
  auto* caption = new QLabel(label_text, preview);
  caption->setFont(theme::text_font(13, false));
  theme::use_secondary_text(*caption);
  auto* position_label = new QLabel(page_text, preview);
  position_label->setObjectName(QStringLiteral("pagePosition"));
  position_label->setFont(theme::text_font(14, false));
  texts->addWidget(caption);
  texts->addWidget(position_label);
  row->addLayout(texts, 1);
  return preview;
}

}  // namespace qthost
