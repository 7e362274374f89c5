#include "qt/busy_bar.hpp"

#include <QPainter>
#include <algorithm>
#include <cmath>

#include "qt/theme.hpp"

namespace qthost {
namespace {
constexpr int kPhases = 60;
constexpr int kFrameMs = 50;
}  // namespace

int BusyBar::steps_for(double fraction) {
  if (!std::isfinite(fraction)) fraction = 0.0;
  return static_cast<int>(std::lround(std::clamp(fraction, 0.0, 1.0) * kSteps));
}

BusyBar::BusyBar(std::optional<double> fraction, bool frozen, QWidget* parent)
    : QProgressBar(parent), frozen_(frozen) {
  // A frozen bar shows its segment mid-track rather than off the edge.
  if (frozen_) phase_ = kPhases / 2;
  setTextVisible(false);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  setFixedHeight(8);
  if (fraction) {
    setRange(0, kSteps);
    setValue(steps_for(*fraction));
  } else {
    setRange(0, 0);
    timer_.setInterval(kFrameMs);
    connect(&timer_, &QTimer::timeout, this, [this] {
      phase_ = (phase_ + 1) % kPhases;
      update();
    });
  }
}

void BusyBar::showEvent(QShowEvent* event) {
  QProgressBar::showEvent(event);
  if (indeterminate() && !frozen_) timer_.start();
}

void BusyBar::hideEvent(QHideEvent* event) {
  timer_.stop();
  QProgressBar::hideEvent(event);
}

void BusyBar::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  const qreal bar_height = 6;
  const QRectF track(0, (height() - bar_height) / 2.0, width(), bar_height);
  painter.setBrush(theme::kTrack);
  painter.drawRoundedRect(track, 3, 3);
  painter.setBrush(theme::kAccent);
  if (indeterminate()) {
    const qreal segment = track.width() * 0.3;
    const qreal travel = track.width() + segment;
    const qreal left = track.left() - segment + travel * phase_ / kPhases;
    painter.setClipRect(track);
    painter.drawRoundedRect(QRectF(left, track.top(), segment, bar_height), 3, 3);
  } else if (value() > 0) {
    const qreal filled = track.width() * value() / kSteps;
    painter.drawRoundedRect(QRectF(track.left(), track.top(), filled, bar_height), 3, 3);
  }
}

}  // namespace qthost
