#include "qt/view_signature.hpp"

#include "ui/widgets.hpp"

namespace qthost {
namespace {

constexpr int kHeadings = 2;

void collect(const ui::Widget& widget, std::string& signature, int& found) {
  if (found >= kHeadings) return;
  if (widget.kind() == ui::Kind::Text) {
    const auto& text = static_cast<const ui::Text&>(widget);
    if (text.heavy) {
      signature += text.text;
      signature += '\n';
      ++found;
    }
    return;
  }
  for (const ui::Widget* child : widget.children()) {
    if (child) collect(*child, signature, found);
  }
}

}  // namespace

std::string view_signature(const ui::Widget& root) {
  std::string signature;
  int found = 0;
  collect(root, signature, found);
  return signature;
}

}  // namespace qthost
