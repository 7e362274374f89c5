#pragma once
// The number input bound to its cell: a whole-number spin box when the range
// is whole, a decimal one otherwise. The user's edits go straight into the
// cell; nothing is sent.

#include <QAbstractSpinBox>

#include "qt/bound_control.hpp"
#include "ui/widgets.hpp"

namespace qthost {

struct NumberRange {
  double min = 0;
  double max = 0;
  bool whole = true;
};

// A usable range from whatever the view gave: non-finite ends become the
// other end (or 0), reversed ends are swapped.
NumberRange number_range(double min, double max);

QAbstractSpinBox* make_number_input(const ui::NumberInput& input, const AfterInput& after_input);

}  // namespace qthost
