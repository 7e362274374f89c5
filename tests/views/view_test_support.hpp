#pragma once
// Small builders of records and snapshots, and readers of view trees, shared
// by the view tests.

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/message.hpp"
#include "app/snapshot.hpp"
#include "devices/records.hpp"
#include "ui/controls.hpp"
#include "ui/widgets.hpp"
#include "views/dashboard_card.hpp"

namespace views_test {

struct Inbox {
  app::MessageSender sender;
  app::MessageReceiver receiver;

  Inbox() {
    auto [tx, rx] = platform::channel<app::Message>();
    sender = std::move(tx);
    receiver = std::move(rx);
  }

  // Everything sent so far, in order.
  std::vector<app::Message> drain() {
    std::vector<app::Message> out;
    while (auto message = receiver.try_take()) out.push_back(std::move(*message));
    return out;
  }
};

inline devices::PrinterQueue printer(std::string name) {
  devices::PrinterQueue queue;
  queue.name = std::move(name);
  return queue;
}

inline devices::Marker marker(std::string name, std::optional<std::uint8_t> level) {
  return devices::Marker{std::move(name), std::nullopt, level};
}

inline devices::PrintJob job(std::string id, std::optional<devices::JobState> state,
                             std::string printer_name = "Studio_printer") {
  devices::PrintJob out;
  out.id = std::move(id);
  out.owner = "demo";
  out.time_label = "today";
  out.printer = std::move(printer_name);
  out.state = state;
  return out;
}

inline app::Snapshot snapshot(devices::ListResult<devices::PrinterQueue> printers,
                              devices::ListResult<devices::PrintJob> jobs,
                              devices::ListResult<devices::Scanner> scanners) {
  return app::Snapshot{std::move(printers), std::move(jobs), std::move(scanners)};
}

inline app::Snapshot empty_snapshot() {
  return snapshot(std::vector<devices::PrinterQueue>{}, std::vector<devices::PrintJob>{},
                  std::vector<devices::Scanner>{});
}

inline app::Snapshot jobs_snapshot(std::vector<devices::PrintJob> jobs) {
  return snapshot(std::vector<devices::PrinterQueue>{}, std::move(jobs),
                  std::vector<devices::Scanner>{});
}

inline bool has_text(const ui::Widget& root, const std::string& text) {
  const auto all = ui::texts(root);
  return std::find(all.begin(), all.end(), text) != all.end();
}

inline std::size_t count_text(const ui::Widget& root, const std::string& text) {
  const auto all = ui::texts(root);
  return static_cast<std::size_t>(std::count(all.begin(), all.end(), text));
}

// Position of a text among all texts of the tree; -1 when absent.
inline long text_position(const ui::Widget& root, const std::string& text) {
  const auto all = ui::texts(root);
  const auto found = std::find(all.begin(), all.end(), text);
  return found == all.end() ? -1 : static_cast<long>(found - all.begin());
}

inline const ui::Button* button(const ui::Widget& root, std::string_view id) {
  return dynamic_cast<const ui::Button*>(ui::find_control(root, id));
}

// Every button of the tree with this id, in tree order.
inline std::vector<const ui::Button*> buttons_with_id(const ui::Widget& root, std::string_view id) {
  std::vector<const ui::Button*> out;
  for (const auto* candidate : ui::find_all<ui::Button>(root)) {
    if (candidate->id == id) out.push_back(candidate);
  }
  return out;
}

inline std::vector<const ui::Card*> titled_cards(const ui::Widget& root) {
  std::vector<const ui::Card*> out;
  for (const auto* card : ui::find_all<ui::Card>(root)) {
    if (card->title) out.push_back(card);
  }
  return out;
}

inline const ui::Card* card_titled(const ui::Widget& root, const std::string& title) {
  for (const auto* card : titled_cards(root)) {
    if (*card->title == title) return card;
  }
  return nullptr;
}

// The title of a dashboard card: its first text.
inline std::string dashboard_card_title(const views::DashboardCard& card) {
  const auto all = ui::texts(card);
  return all.empty() ? std::string() : all.front();
}

inline const views::DashboardCard* dashboard_card_titled(const ui::Widget& root,
                                                         const std::string& title) {
  for (const auto* card : ui::find_all<views::DashboardCard>(root)) {
    if (dashboard_card_title(*card) == title) return card;
  }
  return nullptr;
}

// The page column inside a page frame (row: spacer, box, spacer).
inline const ui::Column& framed_page(const ui::Widget& view) {
  const auto& row = dynamic_cast<const ui::Row&>(view);
  const auto& box = dynamic_cast<const ui::Container&>(*row.items.at(1));
  const auto& scroll = dynamic_cast<const ui::Scrollable&>(*box.child());
  return dynamic_cast<const ui::Column&>(*scroll.child());
}

inline int frame_width(const ui::Widget& view) {
  const auto& row = dynamic_cast<const ui::Row&>(view);
  return dynamic_cast<const ui::Container&>(*row.items.at(1)).max_width.value_or(-1);
}

// One line per direct child of a column: "gap N", "card T", "banner T",
// "dashboard card T", "header", "box(...)", or the kind name.
inline std::string describe(const ui::Widget& widget) {
  if (auto* box = dynamic_cast<const ui::Container*>(&widget)) {
    if (!box->child() && box->height) return "gap " + std::to_string(*box->height);
    if (box->child()) return "box(" + describe(*box->child()) + ")";
  }
  if (auto* card = dynamic_cast<const ui::Card*>(&widget)) {
    return card->title ? "card " + *card->title : "plain card";
  }
  if (auto* banner = dynamic_cast<const ui::Banner*>(&widget)) return "banner " + banner->title;
  if (auto* dash = dynamic_cast<const views::DashboardCard*>(&widget)) {
    return "dashboard card " + dashboard_card_title(*dash);
  }
  if (auto* column = dynamic_cast<const ui::Column*>(&widget)) {
    if (!column->items.empty() && ui::control_id(*column->items.front()) == "orvane.back") {
      return "header";
    }
  }
  return std::string(ui::kind_name(widget.kind()));
}

inline std::vector<std::string> outline(const ui::Column& column) {
  std::vector<std::string> out;
  for (const auto& child : column.items) out.push_back(describe(*child));
  return out;
}

}  // namespace views_test
