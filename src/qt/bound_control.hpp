#pragma once
// A realized control that shows the value of a shared cell. Something other
// than the control may write the cell (the dispatcher resetting a value, the
// desktop selecting an option), so the host asks bound controls to show the
// cell again after every update that changed something.

#include <functional>

namespace qthost {

class BoundControl {
 public:
  virtual ~BoundControl() = default;
  virtual void pull_from_cell() = 0;
};

// Called after a control wrote its cell or ran its action; the host answers
// by scheduling an update (never by running one inside the signal).
using AfterInput = std::function<void()>;

}  // namespace qthost
