#include "qt/fingerprint.hpp"

#include <bit>
#include <cmath>
#include <functional>
#include <string_view>

#include "ui/widgets.hpp"

namespace qthost {
namespace {

class Hasher {
 public:
  Hasher& add(std::uint64_t value) {
    // splitmix64 over the running state: cheap, and good enough that equal
    // fingerprints mean equal content in practice.
    state_ += 0x9e3779b97f4a7c15ULL + value;
    std::uint64_t z = state_;
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    state_ = z ^ (z >> 31);
    return *this;
  }
  Hasher& add(std::string_view text) {
    add(text.size());
    return add(std::hash<std::string_view>{}(text));
  }
  Hasher& add(bool value) { return add(std::uint64_t{value ? 1u : 0u}); }
  Hasher& add(int value) {
    return add(static_cast<std::uint64_t>(static_cast<std::int64_t>(value)));
  }
  Hasher& add(double value) {
    if (std::isnan(value)) value = std::nan("");
    return add(std::bit_cast<std::uint64_t>(value));
  }
  template <typename T>
  Hasher& add(const std::optional<T>& value) {
    add(value.has_value());
    if (value) add(*value);
    return *this;
  }
  Hasher& add(const void* pointer) { return add(reinterpret_cast<std::uintptr_t>(pointer)); }
  std::uint64_t value() const { return state_; }

 private:
  std::uint64_t state_ = 0;
};

void add_own(Hasher& h, const ui::Widget& widget) {
  using ui::Kind;
  h.add(static_cast<int>(widget.kind()));
  switch (widget.kind()) {
    case Kind::Container: {
      const auto& w = static_cast<const ui::Container&>(widget);
      h.add(w.max_width).add(w.width).add(w.height).add(w.card_look);
      break;
    }
    case Kind::Text: {
      const auto& w = static_cast<const ui::Text&>(widget);
      h.add(std::string_view(w.text)).add(w.size).add(w.heavy).add(w.secondary);
      break;
    }
    case Kind::Button: {
      const auto& w = static_cast<const ui::Button&>(widget);
      h.add(std::string_view(w.id)).add(std::string_view(w.label)).add(w.icon);
      h.add(static_cast<int>(w.style)).add(w.size_hint);
      break;
    }
    case Kind::Banner: {
      const auto& w = static_cast<const ui::Banner&>(widget);
      h.add(static_cast<int>(w.tone)).add(std::string_view(w.title)).add(w.detail.has_value());
      if (w.detail) h.add(std::string_view(*w.detail));
      h.add(w.dark_theme);
      break;
    }
    case Kind::Card: {
      const auto& w = static_cast<const ui::Card&>(widget);
      h.add(w.title.has_value());
      if (w.title) h.add(std::string_view(*w.title));
      h.add(w.action != nullptr).add(w.content != nullptr);
      break;
    }
    case Kind::CardGrid: {
      const auto& w = static_cast<const ui::CardGrid&>(widget);
      h.add(w.min_card_width).add(w.max_card_width);
      break;
    }
    case Kind::ProgressBar: {
      const auto& w = static_cast<const ui::ProgressBar&>(widget);
      h.add(w.fraction).add(std::string_view(w.label));
      break;
    }
    case Kind::PagePreview: {
      const auto& w = static_cast<const ui::PagePreview&>(widget);
      h.add(std::string_view(w.label)).add(std::uint64_t{w.page}).add(std::uint64_t{w.page_count});
      break;
    }
    case Kind::Icon: {
      const auto& w = static_cast<const ui::Icon&>(widget);
      h.add(w.number).add(w.size);
      break;
    }
    case Kind::Image: {
      const auto& w = static_cast<const ui::Image&>(widget);
      h.add(static_cast<const void*>(w.pixels.get())).add(std::uint64_t{w.width});
      h.add(std::uint64_t{w.height}).add(std::string_view(w.label));
      break;
    }
    case Kind::ImageCropEditor: {
      const auto& w = static_cast<const ui::ImageCropEditor&>(widget);
      h.add(static_cast<const void*>(w.pixels.get())).add(std::uint64_t{w.width});
      h.add(std::uint64_t{w.height});
      break;
    }
    case Kind::Toggle: {
      h.add(std::string_view(static_cast<const ui::Toggle&>(widget).label));
      break;
    }
    case Kind::ToggleGroup: {
      const auto& w = static_cast<const ui::ToggleGroup&>(widget);
      h.add(std::string_view(w.id)).add(std::string_view(w.label)).add(w.options.size());
      for (const auto& option : w.options) h.add(std::string_view(option));
      break;
    }
    case Kind::Dropdown: {
      const auto& w = static_cast<const ui::Dropdown&>(widget);
      h.add(std::string_view(w.id)).add(std::string_view(w.label));
      h.add(std::string_view(w.placeholder)).add(w.options.size());
      for (const auto& option : w.options) {
        h.add(std::string_view(option.value)).add(std::string_view(option.label));
      }
      h.add(w.current.has_value());
      if (w.current) h.add(std::string_view(*w.current));
      break;
    }
    case Kind::NumberInput: {
      const auto& w = static_cast<const ui::NumberInput&>(widget);
      h.add(std::string_view(w.id)).add(std::string_view(w.label)).add(w.min).add(w.max);
      break;
    }
    case Kind::Custom:
      h.add(widget.short_name());
      break;
    case Kind::Column:
    case Kind::Row:
    case Kind::Scrollable:
    case Kind::Spacer:
    case Kind::Divider:
      break;
  }
}

}  // namespace

Fingerprint fingerprint(const ui::Widget& root, FingerprintTable& table) {
  Hasher h;
  add_own(h, root);
  const auto children = root.children();
  h.add(children.size());
  for (const ui::Widget* child : children) {
    h.add(child ? fingerprint(*child, table) : std::uint64_t{0});
  }
  table[&root] = h.value();
  return h.value();
}

}  // namespace qthost
