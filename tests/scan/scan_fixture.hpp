#pragma once
// A live root widget over the in-memory service, with a scripted file picker
// and a recording clipboard, driven the way the host drives it.

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "app/dispatch.hpp"
#include "app/orvane.hpp"
#include "platform/picker.hpp"
#include "scan/image_codec.hpp"
#include "support/in_memory_service.hpp"
#include "ui/controls.hpp"

namespace scantest {

// Answers nothing by itself: the test answers the last request when it wants.
class ScriptedPicker final : public platform::FilePicker {
 public:
  platform::Receiver<platform::PickOutcome> pick(const platform::PickRequest& request) override {
    std::lock_guard lock(mutex_);
    requests_.push_back(request);
    auto [sender, receiver] = platform::oneshot<platform::PickOutcome>();
    pending_ = std::move(sender);
    return std::move(receiver);
  }
  void answer(platform::PickOutcome outcome) {
    std::lock_guard lock(mutex_);
    pending_.send(std::move(outcome));
    pending_ = {};
  }
  std::vector<platform::PickRequest> requests() const {
    std::lock_guard lock(mutex_);
    return requests_;
  }

 private:
  mutable std::mutex mutex_;
  std::vector<platform::PickRequest> requests_;
  platform::Sender<platform::PickOutcome> pending_;
};

class RecordingClipboard final : public platform::Clipboard {
 public:
  bool copy_text(const std::string& text) override {
    copied.push_back(text);
    return works;
  }
  std::vector<std::string> copied;
  bool works = true;
};

// An RGBA page whose pixel (x, y) encodes its position, so that every
// rearrangement of pixels can be checked.
inline scan::RgbaImage numbered_image(std::uint32_t width, std::uint32_t height) {
  scan::RgbaImage image{width, height, {}};
  image.pixels.resize(std::size_t{width} * height * 4);
  for (std::uint32_t y = 0; y < height; ++y) {
    for (std::uint32_t x = 0; x < width; ++x) {
      std::uint8_t* p = &image.pixels[(std::size_t{y} * width + x) * 4];
      p[0] = static_cast<std::uint8_t>(x);
      p[1] = static_cast<std::uint8_t>(y);
      p[2] = static_cast<std::uint8_t>((x >> 8) | ((y >> 8) << 4));
      p[3] = 255;
    }
  }
  return image;
}

inline std::vector<std::uint8_t> png_of(const scan::RgbaImage& image) {
  return scan::encode_png(image).value();
}

struct Fixture {
  std::shared_ptr<support::InMemoryService> service = std::make_shared<support::InMemoryService>();
  std::shared_ptr<ScriptedPicker> picker = std::make_shared<ScriptedPicker>();
  std::shared_ptr<RecordingClipboard> clipboard = std::make_shared<RecordingClipboard>();
  std::unique_ptr<app::Orvane> root;
  ui::Context context;

  Fixture() {
    service->scanner_list = {{"scanner0", "Studio scanner"}, {"scanner1", "Office scanner"}};
    service->scanned_image = png_of(numbered_image(40, 30));
  }

  // Starts live, waits for the first snapshot and opens the scan view.
  void open_scan() {
    root = app::Orvane::create(app::Services{service, nullptr, {picker, clipboard}});
    ASSERT_TRUE(pump_until([&] { return state().snapshot.has_value(); }));
    dispatch(app::msg::OpenScan{});
  }

  app::State& state() { return root->state_for_tests(); }
  ui::Widget& view() { return *state().content; }

  void dispatch(app::Message message) { app::dispatch(state(), std::move(message)); }

  // Presses a control of the current view and applies the message it sent.
  void press(const std::string& id) {
    ASSERT_TRUE(ui::invoke(view(), id)) << "no control " << id;
    ASSERT_TRUE(root->update(context));
  }

  bool pump_until(const std::function<bool()>& done,
                  std::chrono::milliseconds limit = std::chrono::seconds(30)) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!done()) {
      if (std::chrono::steady_clock::now() > end) return false;
      if (!root->update(context)) std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
  }

  // Presses "Scan page" and waits for the capture to come back.
  void scan_page() {
    const std::size_t before = state().scanned_pages.size();
    press("orvane.scan.start");
    ASSERT_TRUE(pump_until([&] { return !state().scan_in_progress; }));
    ASSERT_EQ(state().scanned_pages.size(), before + 1);
  }

  bool shows(const std::string& text) {
    for (const auto& t : ui::texts(view())) {
      if (t == text) return true;
    }
    return false;
  }
  bool has_control(const std::string& id) { return ui::find_control(view(), id) != nullptr; }
};

}  // namespace scantest
