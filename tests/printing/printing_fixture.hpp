#pragma once
// A root widget with a scripted file picker and preview service, driven the
// way the host drives it: update calls until something is seen, bounded so
// that a missing result fails instead of hanging.

#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "app/orvane.hpp"
#include "printing/printing.hpp"
#include "support/in_memory_service.hpp"
#include "ui/controls.hpp"

namespace printtest {

// Hands out one receiver per request; the test answers the latest one.
class ScriptedPicker final : public platform::FilePicker {
 public:
  std::vector<platform::PickRequest> requests;
  std::vector<platform::Sender<platform::PickOutcome>> open;
  bool refuse = false;

  platform::Receiver<platform::PickOutcome> pick(const platform::PickRequest& request) override {
    requests.push_back(request);
    if (refuse) return {};
    auto [sender, receiver] = platform::oneshot<platform::PickOutcome>();
    open.push_back(std::move(sender));
    return std::move(receiver);
  }

  void answer(platform::PickOutcome outcome) {
    ASSERT_FALSE(open.empty());
    open.back().send(std::move(outcome));
    open.pop_back();
  }
};

// A picture whose width is the length of the path, so a test can tell which
// document a preview came from. Paths containing "broken" give none.
class ScriptedPreview final : public devices::PreviewImageService {
 public:
  struct Call {
    std::string path;
    std::uint8_t category;
    std::uint32_t size_limit;
  };

  std::uint8_t category_for_path(const std::string& path) override {
    return path.find(".txt") != std::string::npos ? 3 : 1;
  }

  std::optional<devices::PreviewImage> generate(const std::string& path, std::uint8_t category,
                                                std::uint32_t size_limit) override {
    std::unique_lock lock(mutex_);
    calls_.push_back({path, category, size_limit});
    changed_.notify_all();
    changed_.wait(lock, [&] { return !held_; });
    if (path.find("broken") != std::string::npos) return std::nullopt;
    const auto width = static_cast<std::uint32_t>(path.size());
    devices::PreviewImage image;
    image.width = width;
    image.height = 2;
    image.pixels = std::make_shared<std::vector<std::uint8_t>>(std::size_t{width} * 2 * 4, 255);
    return image;
  }

  void hold() {
    std::lock_guard lock(mutex_);
    held_ = true;
  }
  void release() {
    {
      std::lock_guard lock(mutex_);
      held_ = false;
    }
    changed_.notify_all();
  }
  std::vector<Call> calls() const {
    std::lock_guard lock(mutex_);
    return calls_;
  }
  bool wait_for_calls(std::size_t count) const {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, std::chrono::seconds(5), [&] { return calls_.size() >= count; });
  }

 private:
  mutable std::mutex mutex_;
  mutable std::condition_variable changed_;
  std::vector<Call> calls_;
  bool held_ = false;
};

inline devices::PrinterQueue printer(std::string name, bool is_default = false) {
  devices::PrinterQueue p;
  p.name = std::move(name);
  p.is_default = is_default;
  return p;
}

inline bool shows(const ui::Widget* view, const std::string& text) {
  if (!view) return false;
  for (const auto& t : ui::texts(*view)) {
    if (t == text) return true;
  }
  return false;
}

inline bool is_print_view(const ui::Widget* view) {
  return shows(view, "Review the document and choose a printer");
}
inline bool is_dashboard(const ui::Widget* view) {
  return view && ui::find_control(*view, "orvane.refresh") != nullptr && !is_print_view(view);
}

struct Fixture {
  std::shared_ptr<support::InMemoryService> service = std::make_shared<support::InMemoryService>();
  std::shared_ptr<ScriptedPreview> preview = std::make_shared<ScriptedPreview>();
  std::shared_ptr<ScriptedPicker> picker = std::make_shared<ScriptedPicker>();
  std::unique_ptr<app::Orvane> root;
  ui::Context context;

  Fixture() { service->printers = {printer("office-laser__2"), printer("Studio_printer", true)}; }

  void start() {
    root = app::Orvane::create(app::Services{service, preview, platform::HostServices{picker, {}}});
  }
  void start_with_snapshot() {
    start();
    ASSERT_TRUE(pump_until([&] { return root->state().snapshot.has_value(); }));
  }

  bool update() { return root->update(context); }

  bool pump_until(const std::function<bool()>& done) {
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!done()) {
      if (std::chrono::steady_clock::now() > limit) return false;
      if (!update()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
  }
  // Applies whatever arrives within a short while (for "nothing happens").
  void pump_for(std::chrono::milliseconds span) {
    const auto limit = std::chrono::steady_clock::now() + span;
    while (std::chrono::steady_clock::now() < limit) {
      if (!update()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
  }

  // Picks `path` through the scripted picker and applies the outcome.
  void pick(const std::string& path) {
    send(app::msg::PrintDocument{});
    picker->answer(platform::PickedPath{path});
    ASSERT_TRUE(pump_until([&] { return !state().document_picker.has_value(); }));
  }

  void send(app::Message message) { EXPECT_TRUE(printing::dispatch(state(), message)); }

  app::State& state() { return root->state_for_tests(); }
  const ui::Widget* content() { return root->state().content.get(); }
};

}  // namespace printtest
