#pragma once
// A word-wrapping plain-text label whose measurements are remembered across
// rebuilds. QLabel lays its text out several times per new instance (size
// hint, minimum size, height for the given width); a rebuilt page repeats
// almost every text of the previous one, so the answers are kept by text,
// font and width.

#include <QLabel>

namespace qthost {

class TextLabel final : public QLabel {
  Q_OBJECT

 public:
  TextLabel(const QString& text, int pixel_size, bool heavy, QWidget* parent = nullptr);

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;
  int heightForWidth(int width) const override;

  // Cached measurements held now (for tests and benchmarks).
  static int cache_size();

 private:
  int font_key_;  // size and weight: all the font varies by among these labels
};

}  // namespace qthost
