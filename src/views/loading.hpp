#pragma once

#include "ui/widget.hpp"

namespace views {

// The whole screen while the first (or a fresh) snapshot is being read.
// Needs no state; its header buttons are control-only.
ui::WidgetPtr loading_view();

}  // namespace views
