#include "qt/number_input.hpp"

#include <QDoubleSpinBox>
#include <QSpinBox>
#include <algorithm>
#include <cmath>
#include <limits>

#include "qt/rebindable.hpp"

namespace qthost {
namespace {

constexpr double kWholeLimit = 1'000'000'000.0;

class WholeNumberInput final : public QSpinBox, public BoundControl, public Rebindable {
 public:
  WholeNumberInput(platform::Cell<double> cell, const NumberRange& range,
                   const AfterInput& after_input)
      : cell_(std::move(cell)), range_(range) {
    setRange(static_cast<int>(range.min), static_cast<int>(range.max));
    setValue(shown(cell_.get()));
    connect(this, &QSpinBox::valueChanged, this, [this, after_input](int value) {
      cell_.set(static_cast<double>(value));
      if (after_input) after_input();
    });
  }

  bool rebind(const ui::Widget& model) override {
    const auto* input = dynamic_cast<const ui::NumberInput*>(&model);
    if (!input) return false;
    cell_ = input->value;
    pull_from_cell();
    return true;
  }

  void pull_from_cell() override {
    const int want = shown(cell_.get());
    if (want == value()) return;
    const bool blocked = blockSignals(true);
    setValue(want);
    blockSignals(blocked);
  }

 private:
  int shown(double value) const {
    if (!std::isfinite(value)) value = range_.min;
    return static_cast<int>(std::nearbyint(std::clamp(value, range_.min, range_.max)));
  }
  platform::Cell<double> cell_;
  NumberRange range_;
};

class DecimalNumberInput final : public QDoubleSpinBox, public BoundControl, public Rebindable {
 public:
  DecimalNumberInput(platform::Cell<double> cell, const NumberRange& range,
                     const AfterInput& after_input)
      : cell_(std::move(cell)), range_(range) {
    setDecimals(2);
    setRange(range.min, range.max);
    setValue(shown(cell_.get()));
    connect(this, &QDoubleSpinBox::valueChanged, this, [this, after_input](double value) {
      cell_.set(value);
      if (after_input) after_input();
    });
  }

  bool rebind(const ui::Widget& model) override {
    const auto* input = dynamic_cast<const ui::NumberInput*>(&model);
    if (!input) return false;
    cell_ = input->value;
    pull_from_cell();
    return true;
  }

  void pull_from_cell() override {
    const double want = shown(cell_.get());
    if (std::abs(want - value()) < 0.005) return;
    const bool blocked = blockSignals(true);
    setValue(want);
    blockSignals(blocked);
  }

 private:
  double shown(double value) const {
    if (!std::isfinite(value)) value = range_.min;
    return std::clamp(value, range_.min, range_.max);
  }
  platform::Cell<double> cell_;
  NumberRange range_;
};

bool is_whole(double value) {
  return std::isfinite(value) && std::floor(value) == value && std::abs(value) <= kWholeLimit;
}

}  // namespace

NumberRange number_range(double min, double max) {
  const bool min_ok = std::isfinite(min);
  const bool max_ok = std::isfinite(max);
  if (!min_ok && !max_ok) {
    min = 0;
    max = 0;
  } else if (!min_ok) {
    min = max;
  } else if (!max_ok) {
    max = min;
  }
  if (min > max) std::swap(min, max);
  return {min, max, is_whole(min) && is_whole(max)};
}

QAbstractSpinBox* make_number_input(const ui::NumberInput& input, const AfterInput& after_input) {
  const NumberRange range = number_range(input.min, input.max);
  QAbstractSpinBox* box = nullptr;
  if (range.whole) {
    box = new WholeNumberInput(input.value, range, after_input);
  } else {
    box = new DecimalNumberInput(input.value, range, after_input);
  }
  box->setObjectName(QString::fromStdString(input.id));
  box->setAccessibleName(QString::fromStdString(input.label));
  box->setMinimumHeight(36);
  box->setMinimumWidth(88);
  box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  return box;
}

}  // namespace qthost
