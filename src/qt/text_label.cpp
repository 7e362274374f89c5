#include "qt/text_label.hpp"

#include <QHash>

#include "qt/theme.hpp"

namespace qthost {
namespace {

// Measurements, not widgets: old entries are simply dropped when full.
constexpr qsizetype kCacheLimit = 20000;

enum class Measure { Hint, Minimum, HeightForWidth };

struct Key {
  QString text;
  int font = 0;
  Measure measure = Measure::Hint;
  int width = 0;
  friend bool operator==(const Key&, const Key&) = default;
};

size_t qHash(const Key& key, size_t seed = 0) {
  return qHashMulti(seed, key.text, key.font, static_cast<int>(key.measure), key.width);
}

QHash<Key, QSize>& cache() {
  static QHash<Key, QSize> measurements;
  return measurements;
}

template <typename Compute>
QSize remembered(const Key& key, Compute compute) {
  auto& measurements = cache();
  auto found = measurements.constFind(key);
  if (found != measurements.constEnd()) return *found;
  const QSize size = compute();
  if (measurements.size() >= kCacheLimit) measurements.clear();
  measurements.insert(key, size);
  return size;
}

}  // namespace

TextLabel::TextLabel(const QString& text, int pixel_size, bool heavy, QWidget* parent)
    : QLabel(text, parent), font_key_(pixel_size * 2 + (heavy ? 1 : 0)) {
  setTextFormat(Qt::PlainText);
  setWordWrap(true);
  setFont(theme::text_font(pixel_size, heavy));
}

QSize TextLabel::sizeHint() const {
  return remembered({text(), font_key_, Measure::Hint, 0}, [this] { return QLabel::sizeHint(); });
}

QSize TextLabel::minimumSizeHint() const {
  return remembered({text(), font_key_, Measure::Minimum, 0},
                    [this] { return QLabel::minimumSizeHint(); });
}

int TextLabel::heightForWidth(int width) const {
  return remembered({text(), font_key_, Measure::HeightForWidth, width},
                    [this, width] { return QSize(width, QLabel::heightForWidth(width)); })
      .height();
}

int TextLabel::cache_size() { return static_cast<int>(cache().size()); }

}  // namespace qthost
