#pragma once
// Which view a tree shows, as far as the host can tell: the first headings
// in reading order. A rebuild of the same view (the dashboard after a
// refresh) keeps the scroll position; another view starts at the top.

#include <string>

#include "ui/widget.hpp"

namespace qthost {

std::string view_signature(const ui::Widget& root);

}  // namespace qthost
