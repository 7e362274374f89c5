// The application itself on the real service: its root widget, dispatch and
// refresh workers against the private cupsd, printers and test scanner.

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "app/dispatch.hpp"
#include "app/orvane.hpp"
#include "service_test.hpp"
#include "ui/controls.hpp"

namespace orvane_test {
namespace {

using devices::PrinterState;

class Application : public ServiceTest {
 protected:
  void start() {
    root_ = app::Orvane::create(app::Services{service_, nullptr, {}});
    ASSERT_TRUE(settle()) << "the first snapshot never arrived";
  }

  // Updates as the host does until no refresh is under way and the channel
  // is quiet, so the newest snapshot and notice are in the state.
  bool settle(std::chrono::seconds limit = std::chrono::seconds(30)) {
    const auto end = std::chrono::steady_clock::now() + limit;
    int quiet = 0;
    while (std::chrono::steady_clock::now() < end) {
      if (root_->update(context_)) {
        quiet = 0;
        continue;
      }
      const bool refreshing = root_->state().refresh_receiver.has_value();
      if (!refreshing && root_->state().snapshot && ++quiet > 20) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return false;
  }

  bool shows(const std::string& text) {
    for (const auto& shown : ui::texts(root_->content())) {
      if (shown.find(text) != std::string::npos) return true;
    }
    return false;
  }

  const devices::PrinterQueue* snapshot_queue(const std::string& name) {
    const auto& printers = root_->state().snapshot->printers;
    if (!printers.ok()) return nullptr;
    for (const auto& queue : printers.value()) {
      if (queue.name == name) return &queue;
    }
    return nullptr;
  }

  // Dispatches a message and waits for its operation's notice and the
  // refresh that follows it.
  bool run(app::Message message) {
    // The notice of the previous operation must not count for this one.
    root_->state_for_tests().notice.reset();
    app::dispatch(root_->state_for_tests(), std::move(message));
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!root_->state().notice && std::chrono::steady_clock::now() < end) {
      if (!root_->update(context_)) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return root_->state().notice.has_value() && settle();
  }

  ui::Context context_;
  std::unique_ptr<app::Orvane> root_;
};

TEST_F(Application, TheDashboardShowsTheMachinesPrintersAndScanner) {
  start();
  const auto& snapshot = *root_->state().snapshot;
  ASSERT_TRUE(snapshot.printers.ok()) << snapshot.printers.error();
  ASSERT_TRUE(snapshot.jobs.ok()) << snapshot.jobs.error();
  ASSERT_TRUE(snapshot.scanners.ok()) << snapshot.scanners.error();
  EXPECT_GE(snapshot.printers->size(), 3u);
  EXPECT_TRUE(shows("Studio printer"));
  EXPECT_TRUE(shows("Office laser"));
  EXPECT_TRUE(shows("Noname frontend-tester"));
}

TEST_F(Application, PauseResumeAndPreferThroughDispatch) {
  start();
  ASSERT_TRUE(run(app::msg::SetPrinterEnabled{"Office_laser", false}));
  EXPECT_TRUE(root_->state().notice->succeeded);
  EXPECT_EQ(root_->state().notice->title, "Printer paused");
  EXPECT_NE(run_command("lpstat -p Office_laser").find("disabled"), std::string::npos);
  ASSERT_NE(snapshot_queue("Office_laser"), nullptr);
  EXPECT_EQ(snapshot_queue("Office_laser")->state, PrinterState::Stopped);

  ASSERT_TRUE(run(app::msg::SetPrinterEnabled{"Office_laser", true}));
  EXPECT_TRUE(root_->state().notice->succeeded);
  EXPECT_EQ(snapshot_queue("Office_laser")->state, PrinterState::Idle);

  ASSERT_TRUE(run(app::msg::SetDefaultPrinter{"Hallway_printer"}));
  EXPECT_TRUE(root_->state().notice->succeeded);
  EXPECT_NE(run_command("lpstat -d").find("Hallway_printer"), std::string::npos);
  EXPECT_TRUE(snapshot_queue("Hallway_printer")->is_default);

  ASSERT_TRUE(run(app::msg::SetPrinterEnabled{"No_such_printer", false}));
  EXPECT_FALSE(root_->state().notice->succeeded);
}

TEST_F(Application, TryAgainRecoversAfterTheSchedulerCameBack) {
  start();
  ASSERT_TRUE(fixture().script("stop-cupsd"));
  app::dispatch(root_->state_for_tests(), app::msg::Refresh{});
  ASSERT_TRUE(settle());
  const auto& failed = *root_->state().snapshot;
  EXPECT_FALSE(failed.printers.ok());
  EXPECT_FALSE(failed.jobs.ok());
  EXPECT_TRUE(failed.scanners.ok()) << "scanners do not depend on the print server";
  EXPECT_TRUE(shows("couldn't be checked"));
  EXPECT_TRUE(shows("Noname frontend-tester"));

  ASSERT_TRUE(fixture().script("start-cupsd"));
  ASSERT_TRUE(ui::invoke(root_->content(), "orvane.service.retry"));
  ASSERT_TRUE(settle());
  EXPECT_TRUE(root_->state().snapshot->printers.ok());
  EXPECT_TRUE(root_->state().snapshot->jobs.ok());
  EXPECT_FALSE(shows("couldn't be checked"));
}

}  // namespace
}  // namespace orvane_test
