#include "views/blocks.hpp"

#include <algorithm>
#include <utility>

namespace views {

namespace {

constexpr int kButtonHeight = 44;

std::unique_ptr<ui::Text> text(std::string content, int size, bool heavy, bool secondary) {
  auto widget = std::make_unique<ui::Text>();
  widget->text = std::move(content);
  widget->size = size;
  widget->heavy = heavy;
  widget->secondary = secondary;
  return widget;
}

std::unique_ptr<ui::Button> button(std::string id, std::string label, std::optional<int> icon,
                                   ui::ButtonStyle style) {
  auto widget = std::make_unique<ui::Button>();
  widget->id = std::move(id);
  widget->label = std::move(label);
  widget->icon = icon;
  widget->style = style;
  widget->size_hint = kButtonHeight;
  return widget;
}

std::unique_ptr<ui::Button> message_button(std::string id, std::string label,
                                           std::optional<int> icon, ui::ButtonStyle style,
                                           const app::MessageSender& sender, app::Message message) {
  auto widget = button(std::move(id), std::move(label), icon, style);
  widget->on_action = [sender, message = std::move(message)] { sender.send(message); };
  return widget;
}

}  // namespace

std::unique_ptr<ui::Text> heading_text(std::string content, int size) {
  return text(std::move(content), size, true, false);
}

std::unique_ptr<ui::Text> body_text(std::string content) {
  return text(std::move(content), 14, false, false);
}

std::unique_ptr<ui::Text> supporting_text(std::string content) {
  return text(std::move(content), 13, false, true);
}

std::unique_ptr<ui::Container> gap(int height) {
  auto widget = std::make_unique<ui::Container>();
  widget->height = height;
  return widget;
}

std::unique_ptr<ui::Button> primary_button(std::string id, std::string label, int icon,
                                           const app::MessageSender& sender, app::Message message) {
  return message_button(std::move(id), std::move(label), icon, ui::ButtonStyle::Primary, sender,
                        std::move(message));
}

std::unique_ptr<ui::Button> secondary_button(std::string id, std::string label, int icon,
                                             const app::MessageSender& sender,
                                             app::Message message) {
  return message_button(std::move(id), std::move(label), icon, ui::ButtonStyle::Secondary, sender,
                        std::move(message));
}

std::unique_ptr<ui::Button> plain_button(std::string id, std::string label,
                                         const app::MessageSender& sender, app::Message message,
                                         bool secondary_style) {
  return message_button(std::move(id), std::move(label), std::nullopt,
                        secondary_style ? ui::ButtonStyle::PlainSecondary : ui::ButtonStyle::Plain,
                        sender, std::move(message));
}

std::unique_ptr<ui::Button> control_button(std::string id, std::string label) {
  return button(std::move(id), std::move(label), std::nullopt, ui::ButtonStyle::Plain);
}

std::unique_ptr<ui::Icon> icon(int number, int size) {
  auto widget = std::make_unique<ui::Icon>();
  widget->number = number;
  widget->size = size;
  return widget;
}

std::unique_ptr<ui::Card> titled_card(std::string title, ui::WidgetPtr action,
                                      ui::WidgetPtr content) {
  auto card = std::make_unique<ui::Card>();
  card->title = std::move(title);
  card->action = std::move(action);
  card->content = std::move(content);
  return card;
}

std::unique_ptr<ui::Card> plain_card(ui::WidgetPtr child) {
  auto card = std::make_unique<ui::Card>();
  card->content = std::move(child);
  return card;
}

std::unique_ptr<DashboardCard> dashboard_card(std::string title, ui::WidgetPtr first,
                                              ui::WidgetPtr second) {
  auto column = std::make_unique<ui::Column>();
  column->push(heading_text(std::move(title), 18));
  column->push(gap(14));
  if (first) column->push(std::move(first));
  column->push(gap(16));
  if (second) column->push(std::move(second));
  auto surface = std::make_unique<ui::Container>();
  surface->card_look = true;
  surface->with_child(std::move(column));
  return std::make_unique<DashboardCard>(std::move(surface));
}

std::unique_ptr<ui::ProgressBar> progress_bar(double fraction, std::string label) {
  auto bar = std::make_unique<ui::ProgressBar>();
  // NaN fails both comparisons and ends up empty rather than undefined.
  bar->fraction = fraction > 0.0 ? std::min(fraction, 1.0) : 0.0;
  bar->label = std::move(label);
  return bar;
}

std::unique_ptr<ui::ProgressBar> indeterminate_progress_bar(std::string label) {
  auto bar = std::make_unique<ui::ProgressBar>();
  bar->label = std::move(label);
  return bar;
}

std::unique_ptr<ui::ProgressBar> percent_progress_bar(std::optional<std::uint8_t> percent,
                                                      std::string label) {
  return progress_bar(percent ? *percent / 100.0 : 0.0, std::move(label));
}

std::unique_ptr<ui::PagePreview> page_preview(std::string label, std::uint32_t page,
                                              std::uint32_t page_count) {
  auto preview = std::make_unique<ui::PagePreview>();
  preview->label = std::move(label);
  preview->page_count = std::max<std::uint32_t>(page_count, 1);
  preview->page = std::clamp<std::uint32_t>(page, 1, preview->page_count);
  return preview;
}

std::unique_ptr<ui::Column> page_header(std::string title, std::string subtitle,
                                        const app::MessageSender& sender) {
  auto header = std::make_unique<ui::Column>();
  header->push(primary_button("orvane.back", "Orvane", 38, sender, app::msg::ReturnToDashboard{}));
  header->push(gap(14));
  header->push(heading_text(std::move(title), 28));
  header->push(supporting_text(std::move(subtitle)));
  return header;
}

std::unique_ptr<ui::Row> header_row(std::string subtitle) {
  auto titles = std::make_unique<ui::Column>();
  titles->push(heading_text("Orvane", 28));
  titles->push(supporting_text(std::move(subtitle)));
  auto title_box = std::make_unique<ui::Container>();
  title_box->width = 220;
  title_box->with_child(std::move(titles));

  auto buttons = std::make_unique<ui::Row>();
  buttons->push(control_button("orvane.add", "Add printer"));
  buttons->push(control_button("orvane.print", "Print a document"));
  auto button_box = std::make_unique<ui::Container>();
  button_box->width = 300;
  button_box->with_child(std::move(buttons));

  auto row = std::make_unique<ui::Row>();
  row->push(std::move(title_box));
  row->push(std::move(button_box));
  return row;
}

ui::WidgetPtr page_frame(ui::WidgetPtr page, int max_width) {
  auto scroll = std::make_unique<ui::Scrollable>();
  scroll->with_child(std::move(page));
  auto bounded = std::make_unique<ui::Container>();
  bounded->max_width = max_width;
  bounded->with_child(std::move(scroll));
  auto row = std::make_unique<ui::Row>();
  row->push(std::make_unique<ui::Spacer>());
  row->push(std::move(bounded));
  row->push(std::make_unique<ui::Spacer>());
  return row;
}

std::unique_ptr<ui::Banner> notice_banner(const app::Notice& notice) {
  auto banner = std::make_unique<ui::Banner>();
  banner->tone = notice.succeeded ? ui::Tone::Success : ui::Tone::Error;
  banner->title = notice.title;
  banner->detail = notice.detail;
  return banner;
}

}  // namespace views
