#pragma once
// Small builders for toolkit trees in the host's tests, and a root widget
// whose update applies queued replacements of its content one at a time,
// the way the application's root applies one event per update.

#include <QApplication>
#include <QElapsedTimer>
#include <functional>
#include <memory>
#include <string>
#include <utility>

#include "platform/channel.hpp"
#include "ui/widgets.hpp"

namespace qthost::testing {

template <typename T>
std::unique_ptr<T> make() {
  return std::make_unique<T>();
}

inline ui::WidgetPtr text(std::string value, bool heavy = false) {
  auto widget = make<ui::Text>();
  widget->text = std::move(value);
  widget->heavy = heavy;
  if (heavy) widget->size = 28;
  return widget;
}

inline ui::WidgetPtr gap(int height) {
  auto widget = make<ui::Container>();
  widget->height = height;
  return widget;
}

inline std::unique_ptr<ui::Button> button(std::string id, std::string label,
                                          std::function<void()> action = {}) {
  auto widget = make<ui::Button>();
  widget->id = std::move(id);
  widget->label = std::move(label);
  widget->on_action = std::move(action);
  return widget;
}

template <typename... Children>
std::unique_ptr<ui::Column> column(Children&&... children) {
  auto widget = make<ui::Column>();
  (widget->push(std::forward<Children>(children)), ...);
  return widget;
}

template <typename... Children>
std::unique_ptr<ui::Row> row(Children&&... children) {
  auto widget = make<ui::Row>();
  (widget->push(std::forward<Children>(children)), ...);
  return widget;
}

inline ui::WidgetPtr scrollable(ui::WidgetPtr child) {
  auto widget = make<ui::Scrollable>();
  widget->with_child(std::move(child));
  return widget;
}

// A page centred between two spacers and never wider than `max_width`.
inline ui::WidgetPtr page_frame(ui::WidgetPtr page, int max_width) {
  auto frame = make<ui::Container>();
  frame->max_width = max_width;
  frame->with_child(scrollable(std::move(page)));
  return row(make<ui::Spacer>(), std::move(frame), make<ui::Spacer>());
}

class TestRoot final : public ui::Widget {
 public:
  using Builder = std::function<ui::WidgetPtr()>;

  explicit TestRoot(ui::WidgetPtr content) : content_(std::move(content)) {
    auto [sender, receiver] = platform::channel<Builder>();
    sender_ = std::move(sender);
    receiver_ = std::move(receiver);
  }

  ui::Kind kind() const override { return ui::Kind::Custom; }
  std::vector<ui::Widget*> children() override { return {content_.get()}; }
  using ui::Widget::children;

  bool update(ui::Context&) override {
    ++update_calls;
    auto next = receiver_.try_take();
    if (!next) return false;
    // A builder that returns nothing changed only values, not the structure.
    if (auto content = (*next)()) {
      content_ = std::move(content);
      dirty_ = true;
    }
    return true;
  }
  bool take_structure_dirty() override { return std::exchange(dirty_, false); }
  bool needs_idle_sync() const override { return idle; }

  // A sender that replaces the content on a later update; usable from any
  // thread and after the root has moved into a window.
  platform::Sender<Builder> sender() const { return sender_; }

  int update_calls = 0;
  bool idle = false;

 private:
  ui::WidgetPtr content_;
  bool dirty_ = false;
  platform::Sender<Builder> sender_;
  platform::Receiver<Builder> receiver_;
};

// Runs the event loop until `done` holds or `ms` pass.
inline bool wait_until(const std::function<bool()>& done, int ms = 2000) {
  QElapsedTimer timer;
  timer.start();
  while (!done()) {
    if (timer.elapsed() > ms) return false;
    QApplication::processEvents(QEventLoop::AllEvents, 10);
  }
  return true;
}

}  // namespace qthost::testing
