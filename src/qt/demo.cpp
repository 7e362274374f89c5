// A hand-built tree with every toolkit widget, for looking at the host
// without the application: `orvane-qt-demo` opens it in a window,
// `orvane-qt-demo --screenshot FILE [WIDTHxHEIGHT]` renders it to a PNG file.

#include <QApplication>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>

#include "platform/channel.hpp"
#include "qt/host.hpp"
#include "ui/widgets.hpp"

namespace {

template <typename T>
std::unique_ptr<T> make() {
  return std::make_unique<T>();
}

ui::WidgetPtr text(std::string value, int size = 14, bool heavy = false, bool secondary = false) {
  auto widget = make<ui::Text>();
  widget->text = std::move(value);
  widget->size = size;
  widget->heavy = heavy;
  widget->secondary = secondary;
  return widget;
}

ui::WidgetPtr gap(int height) {
  auto widget = make<ui::Container>();
  widget->height = height;
  return widget;
}

ui::WidgetPtr sized(ui::WidgetPtr child, std::optional<int> width, std::optional<int> height) {
  auto widget = make<ui::Container>();
  widget->with_child(std::move(child));
  widget->width = width;
  widget->height = height;
  return widget;
}

ui::WidgetPtr titled_card(std::string title, ui::WidgetPtr content,
                          ui::WidgetPtr action = nullptr) {
  auto widget = make<ui::Card>();
  widget->title = std::move(title);
  widget->content = std::move(content);
  widget->action = std::move(action);
  return widget;
}

ui::SharedBytes page_pixels(std::uint32_t width, std::uint32_t height) {
  auto bytes = std::make_shared<ui::Bytes>(std::size_t{width} * height * 4);
  for (std::uint32_t y = 0; y < height; ++y) {
    for (std::uint32_t x = 0; x < width; ++x) {
      auto* p = bytes->data() + (std::size_t{y} * width + x) * 4;
      const bool text_line = (y / 14) % 2 == 1 && x > 40 && x < width - 40 && y > 60;
      const std::uint8_t shade = text_line ? 70 : 245;
      p[0] = shade;
      p[1] = shade;
      p[2] = static_cast<std::uint8_t>(shade - (text_line ? 0 : 10));
      p[3] = 255;
    }
  }
  return bytes;
}

// The root: a counter and a few cells; every button posts an event that the
// next update applies and then rebuilds the tree.
class DemoRoot final : public ui::Widget {
 public:
  DemoRoot() {
    auto [sender, receiver] = platform::channel<std::string>();
    sender_ = std::move(sender);
    receiver_ = std::move(receiver);
    rebuild();
  }

  ui::Kind kind() const override { return ui::Kind::Custom; }
  std::string_view short_name() const override { return "DemoRoot"; }
  std::vector<ui::Widget*> children() override { return {content_.get()}; }
  using ui::Widget::children;

  bool update(ui::Context&) override {
    auto event = receiver_.try_take();
    if (!event) return false;
    if (*event == "count") ++presses_;
    if (*event == "busy") busy_ = !busy_;
    if (event->rfind("choose:", 0) == 0) chosen_ = event->substr(7);
    rebuild();
    return true;
  }
  bool take_structure_dirty() override { return std::exchange(dirty_, false); }

 private:
  ui::WidgetPtr button(std::string id, std::string label, std::optional<int> icon,
                       ui::ButtonStyle style, std::string event) {
    auto widget = make<ui::Button>();
    widget->id = std::move(id);
    widget->label = std::move(label);
    widget->icon = icon;
    widget->style = style;
    widget->on_action = [sender = sender_, event = std::move(event)] { sender.send(event); };
    return widget;
  }

  void rebuild() {
    auto page = make<ui::Column>();
    page->push(button("orvane.back", "Orvane", 38, ui::ButtonStyle::Primary, "count"));
    page->push(gap(14));
    page->push(text("Toolkit demo", 28, true));
    page->push(text("Every widget the host knows, in one page", 13, false, true));
    page->push(gap(20));

    auto banner = make<ui::Banner>();
    banner->tone = presses_ % 3 == 0   ? ui::Tone::Success
                   : presses_ % 3 == 1 ? ui::Tone::Warning
                                       : ui::Tone::Error;
    banner->title = "Button pressed " + std::to_string(presses_) + " times";
    banner->detail = chosen_.empty() ? "Nothing chosen yet." : "Chosen: " + chosen_;
    page->push(std::move(banner));
    page->push(gap(14));

    auto buttons = make<ui::Row>();
    int icons[] = {5, 18, 19, 23, 28, 39, 60, 70, 76};
    for (int number : icons) {
      buttons->push(button(
          "orvane.demo.icon." + std::to_string(number), "Icon " + std::to_string(number), number,
          number % 2 ? ui::ButtonStyle::Secondary : ui::ButtonStyle::Primary, "count"));
    }
    buttons->push(button("orvane.demo.busy", "Toggle busy", std::nullopt,
                         ui::ButtonStyle::PlainSecondary, "busy"));
    page->push(std::move(buttons));
    page->push(gap(16));

    auto grid = make<ui::CardGrid>();
    grid->min_card_width = 330;
    grid->max_card_width = 420;
    for (int i = 1; i <= 4; ++i) {
      auto body = make<ui::Column>();
      auto preview = make<ui::PagePreview>();
      preview->label = "Queued document";
      preview->page = static_cast<std::uint32_t>(i * 3);
      preview->page_count = 12;
      body->push(std::move(preview));
      body->push(gap(10));
      auto bar = make<ui::ProgressBar>();
      bar->label = "Printing";
      if (!(busy_ && i == 1)) bar->fraction = i / 4.0;
      body->push(std::move(bar));
      grid->push(titled_card("Document " + std::to_string(i), std::move(body),
                             button("orvane.demo.open." + std::to_string(i), "Open", 39,
                                    ui::ButtonStyle::Primary, "count")));
    }
    page->push(std::move(grid));
    page->push(gap(16));

    auto options = make<ui::Column>();
    auto copies_row = make<ui::Row>();
    copies_row->push(text("Copies"));
    copies_row->push(make<ui::Spacer>());
    auto copies = make<ui::NumberInput>();
    copies->id = "orvane.print.copies";
    copies->label = "Number of copies";
    copies->min = 1;
    copies->max = 99;
    copies->value = copies_;
    copies_row->push(std::move(copies));
    options->push(std::move(copies_row));
    options->push(gap(18));
    auto sides_row = make<ui::Row>();
    sides_row->push(text("Print on both sides"));
    sides_row->push(make<ui::Spacer>());
    auto sides = make<ui::Toggle>();
    sides->value = two_sided_;
    sides_row->push(std::move(sides));
    options->push(std::move(sides_row));
    options->push(gap(18));
    auto printer = make<ui::Dropdown>();
    printer->id = "orvane.print.printer";
    printer->label = "Printer";
    printer->placeholder = "Choose a printer";
    printer->options = {{"Studio_printer", "Studio printer (Ready)"},
                        {"Office", "Office (Paused)"}};
    if (!chosen_.empty()) printer->current = chosen_;
    printer->on_choose = [sender = sender_](const std::string& value) {
      sender.send("choose:" + value);
    };
    options->push(std::move(printer));
    options->push(gap(18));
    auto quality = make<ui::ToggleGroup>();
    quality->id = "orvane.scan.resolution";
    quality->label = "Quality";
    quality->options = {"150 dpi", "300 dpi", "600 dpi"};
    quality->selected = quality_;
    options->push(std::move(quality));

    auto icon = make<ui::Icon>();
    icon->number = 23;
    icon->size = 42;

    auto editor = make<ui::ImageCropEditor>();
    editor->width = 420;
    editor->height = 594;
    editor->pixels = pixels_;
    editor->selection = crop_;

    auto image = make<ui::Image>();
    image->width = 420;
    image->height = 594;
    image->pixels = pixels_;
    image->label = "Preview of page.png";

    auto cards = make<ui::Row>();
    cards->push(sized(titled_card("Printing options", std::move(options)), 300, std::nullopt));
    cards->push(sized(std::move(editor), 280, 360));
    cards->push(sized(std::move(image), 180, 220));
    cards->push(std::move(icon));
    page->push(std::move(cards));
    page->push(gap(16));
    page->push(make<ui::Divider>());

    auto scroll = make<ui::Scrollable>();
    scroll->with_child(std::move(page));
    auto frame = make<ui::Container>();
    frame->max_width = 1120;
    frame->with_child(std::move(scroll));
    auto centred = make<ui::Row>();
    centred->push(make<ui::Spacer>());
    centred->push(std::move(frame));
    centred->push(make<ui::Spacer>());
    content_ = std::move(centred);
    dirty_ = true;
  }

  platform::Sender<std::string> sender_;
  platform::Receiver<std::string> receiver_;
  ui::WidgetPtr content_;
  bool dirty_ = false;
  int presses_ = 0;
  bool busy_ = true;
  std::string chosen_;
  platform::Cell<double> copies_{1.0};
  platform::Cell<bool> two_sided_{false};
  platform::Cell<std::size_t> quality_{1};
  platform::Cell<ui::CropSelection> crop_{};
  ui::SharedBytes pixels_ = page_pixels(420, 594);
};

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 3 && std::strcmp(argv[1], "--screenshot") == 0) {
    platform::WindowSize size{1280, 900};
    if (argc >= 4) std::sscanf(argv[3], "%dx%d", &size.width, &size.height);
    auto status = qthost::render_offscreen(std::make_unique<DemoRoot>(), size, argv[2]);
    if (!status) {
      std::fprintf(stderr, "orvane-qt-demo: %s\n", status.error().c_str());
      return 1;
    }
    return 0;
  }
  QApplication application(argc, argv);
  return qthost::run_window(std::make_unique<DemoRoot>(), {1280, 900});
}
