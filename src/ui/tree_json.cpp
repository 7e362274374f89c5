#include "ui/tree_json.hpp"

#include <nlohmann/json.hpp>

#include "ui/controls.hpp"
#include "ui/widgets.hpp"

namespace ui {
namespace {

using nlohmann::json;

std::string_view tone_name(Tone tone) {
  switch (tone) {
    case Tone::Success:
      return "success";
    case Tone::Warning:
      return "warning";
    case Tone::Error:
      return "error";
  }
  return "success";
}

std::string_view style_name(ButtonStyle style) {
  switch (style) {
    case ButtonStyle::Primary:
      return "primary";
    case ButtonStyle::Secondary:
      return "secondary";
    case ButtonStyle::Plain:
      return "plain";
    case ButtonStyle::PlainSecondary:
      return "plain-secondary";
  }
  return "plain";
}

template <typename T>
void put_optional(json& node, const char* key, const std::optional<T>& value) {
  if (value) node[key] = *value;
}

json describe(const Widget& widget) {
  json node;
  node["kind"] = std::string(widget.short_name());
  if (auto id = control_id(widget); !id.empty()) node["id"] = std::string(id);

  if (auto* c = dynamic_cast<const Container*>(&widget)) {
    put_optional(node, "max_width", c->max_width);
    put_optional(node, "width", c->width);
    put_optional(node, "height", c->height);
    if (c->card_look) node["card"] = true;
  } else if (auto* t = dynamic_cast<const Text*>(&widget)) {
    node["text"] = t->text;
    node["size"] = t->size;
    if (t->heavy) node["heavy"] = true;
    if (t->secondary) node["secondary"] = true;
  } else if (auto* b = dynamic_cast<const Button*>(&widget)) {
    node["label"] = b->label;
    put_optional(node, "icon", b->icon);
    node["style"] = std::string(style_name(b->style));
    node["size_hint"] = b->size_hint;
    node["has_action"] = static_cast<bool>(b->on_action);
  } else if (auto* banner = dynamic_cast<const Banner*>(&widget)) {
    node["tone"] = std::string(tone_name(banner->tone));
    node["title"] = banner->title;
    put_optional(node, "detail", banner->detail);
  } else if (auto* card = dynamic_cast<const Card*>(&widget)) {
    put_optional(node, "title", card->title);
    if (card->action) node["action"] = describe(*card->action);
    if (card->content) node["content"] = describe(*card->content);
    return node;
  } else if (auto* grid = dynamic_cast<const CardGrid*>(&widget)) {
    node["min_card_width"] = grid->min_card_width;
    node["max_card_width"] = grid->max_card_width;
  } else if (auto* bar = dynamic_cast<const ProgressBar*>(&widget)) {
    node["label"] = bar->label;
    if (bar->fraction) {
      node["fraction"] = *bar->fraction;
    } else {
      node["indeterminate"] = true;
    }
  } else if (auto* preview = dynamic_cast<const PagePreview*>(&widget)) {
    node["label"] = preview->label;
    node["page"] = preview->page;
    node["page_count"] = preview->page_count;
  } else if (auto* icon = dynamic_cast<const Icon*>(&widget)) {
    node["icon"] = icon->number;
    node["size"] = icon->size;
  } else if (auto* image = dynamic_cast<const Image*>(&widget)) {
    node["label"] = image->label;
    node["width"] = image->width;
    node["height"] = image->height;
  } else if (auto* editor = dynamic_cast<const ImageCropEditor*>(&widget)) {
    node["width"] = editor->width;
    node["height"] = editor->height;
    const auto crop = editor->selection.get();
    node["selection"] = {crop.left, crop.top, crop.right, crop.bottom};
  } else if (auto* toggle = dynamic_cast<const Toggle*>(&widget)) {
    if (!toggle->label.empty()) node["label"] = toggle->label;
    node["value"] = toggle->value.get();
  } else if (auto* group = dynamic_cast<const ToggleGroup*>(&widget)) {
    node["label"] = group->label;
    node["options"] = group->options;
    node["selected"] = group->selected.get();
  } else if (auto* dropdown = dynamic_cast<const Dropdown*>(&widget)) {
    node["label"] = dropdown->label;
    node["placeholder"] = dropdown->placeholder;
    json options = json::array();
    for (const auto& o : dropdown->options)
      options.push_back({{"value", o.value}, {"label", o.label}});
    node["options"] = std::move(options);
    put_optional(node, "current", dropdown->current);
  } else if (auto* input = dynamic_cast<const NumberInput*>(&widget)) {
    node["label"] = input->label;
    node["min"] = input->min;
    node["max"] = input->max;
    node["value"] = input->value.get();
  }

  json children = json::array();
  for (const Widget* child : widget.children()) children.push_back(describe(*child));
  if (!children.empty()) node["children"] = std::move(children);
  return node;
}

}  // namespace

std::string tree_to_json(const Widget& root, int indent) {
  // Replace invalid UTF-8 rather than fail: the dump is for reading.
  return describe(root).dump(indent, ' ', false, json::error_handler_t::replace);
}

}  // namespace ui
