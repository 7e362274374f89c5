#pragma once
// Drives a root widget the way the host does: update calls until something
// is seen, with a bound so a missing result fails instead of hanging.

#include <chrono>
#include <functional>
#include <memory>
#include <thread>

#include <gtest/gtest.h>

#include "ui/controls.hpp"

#include "app/orvane.hpp"
#include "support/in_memory_service.hpp"

namespace apptest {

inline devices::PrinterQueue printer(std::string name, bool is_default = false,
                                     bool accepting = true) {
  devices::PrinterQueue p;
  p.name = std::move(name);
  p.is_default = is_default;
  p.accepting_jobs = accepting;
  return p;
}

inline devices::PrintJob job(std::string id, devices::JobState state) {
  devices::PrintJob j;
  j.id = std::move(id);
  j.printer = "Studio_printer";
  j.title = "Report.pdf";
  j.state = state;
  return j;
}

struct Fixture {
  std::shared_ptr<support::InMemoryService> service = std::make_shared<support::InMemoryService>();
  std::unique_ptr<app::Orvane> root;
  ui::Context context;

  Fixture() {
    service->printers = {printer("Studio_printer", true), printer("office-laser__2")};
    service->jobs_list = {job("Studio_printer-42", devices::JobState::Processing)};
    service->scanner_list = {{"scanner0", "Studio scanner"}};
  }

  app::Services services() { return app::Services{service, nullptr, {}}; }

  void start() { root = app::Orvane::create(services()); }

  bool update() { return root->update(context); }

  // Updates until `done` holds or two seconds pass.
  bool pump_until(const std::function<bool()>& done) {
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!done()) {
      if (std::chrono::steady_clock::now() > limit) return false;
      if (!update()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
  }

  // Starts live and waits for the first snapshot.
  void start_with_snapshot() {
    start();
    ASSERT_TRUE(pump_until([&] { return root->state().snapshot.has_value(); }));
  }

  app::State& state() { return root->state_for_tests(); }
  const ui::Widget* content() { return root->state().content.get(); }
};

}  // namespace apptest

namespace apptest {

inline bool shows(const ui::Widget* view, const std::string& text) {
  if (!view) return false;
  for (const auto& t : ui::texts(*view)) {
    if (t == text) return true;
  }
  return false;
}

// The view on screen, told apart by its first large heading (the page
// header's title) and, for the start screens, by their subtitle.
inline std::string view_name(const ui::Widget* view) {
  if (!view) return "none";
  std::string title;
  ui::visit(*view, [&](const ui::Widget& w) {
    auto* text = dynamic_cast<const ui::Text*>(&w);
    if (title.empty() && text && text->size == 28) title = text->text;
  });
  if (title == "Orvane") {
    if (shows(view, "Checking printers and documents")) return "loading";
    if (shows(view, "Print and scan without digging through settings")) return "first-printer";
    return "dashboard";
  }
  if (title == "Print queue") return "queue";
  if (title == "Print history") return "history";
  if (title == "Device help") return "diagnostics";
  if (title == "Add a printer") return "add-printer";
  if (title == "Print a document") return "print";
  if (title == "Scan a document" || title == "Scanned document") return "scan";
  if (shows(view, "Status, supplies, and controls")) return "printer";
  return "unknown: " + title;
}

}  // namespace apptest
