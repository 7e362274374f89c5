#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "app/dispatch.hpp"
#include "app_fixture.hpp"

namespace {

using apptest::Fixture;
using apptest::view_name;
namespace msg = app::msg;

std::string payload(std::string text) { return nlohmann::json(text).dump(); }

TEST(Update, OneEventPerCallInChannelOrder) {
  Fixture f;
  f.start_with_snapshot();
  f.state().message_sender.send(msg::OpenQueue{});
  f.state().message_sender.send(msg::OpenHistory{});
  f.state().message_sender.send(msg::OpenDiagnostics{});
  ASSERT_TRUE(f.update());
  EXPECT_EQ(view_name(f.content()), "queue");
  ASSERT_TRUE(f.update());
  EXPECT_EQ(view_name(f.content()), "history");
  ASSERT_TRUE(f.update());
  EXPECT_EQ(view_name(f.content()), "diagnostics");
  EXPECT_FALSE(f.update());
  EXPECT_TRUE(f.root->take_structure_dirty());
  EXPECT_FALSE(f.root->take_structure_dirty());
}

TEST(Update, APickerOutcomeComesBeforeTheRefreshResult) {
  Fixture f;
  f.start_with_snapshot();
  auto [picker_sender, picker_receiver] = platform::oneshot<platform::PickOutcome>();
  f.state().document_picker = std::move(picker_receiver);
  app::start_refresh(f.state());
  ASSERT_TRUE(f.service->wait_for_calls(6));
  picker_sender.send(platform::PickCancelled{});
  // Let the refresh deliver, so both are waiting.
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_TRUE(f.root->needs_idle_sync());
  ASSERT_TRUE(f.update());
  EXPECT_FALSE(f.state().document_picker.has_value());
  EXPECT_TRUE(f.state().refresh_receiver.has_value()) << "the refresh waits for the next update";
  ASSERT_TRUE(f.pump_until([&] { return !f.state().refresh_receiver.has_value(); }));
}

TEST(Update, AVanishedPickerIsReportedAsAPickerFailure) {
  Fixture f;
  f.start_with_snapshot();
  {
    auto [gone, receiver] = platform::oneshot<platform::PickOutcome>();
    f.state().document_picker = std::move(receiver);
  }
  ASSERT_TRUE(f.update());
  EXPECT_EQ(f.state().notice, (app::Notice{"Could not open the file picker",
                                           "Try again, or print from the document's app.", false}));
  EXPECT_EQ(view_name(f.content()), "dashboard");
}

TEST(Update, ASavePickerFailureTellsTheUserInTheScanView) {
  Fixture f;
  f.start_with_snapshot();
  f.state().save_kind = app::SaveKind::Document;
  auto [sender, receiver] = platform::oneshot<platform::PickOutcome>();
  f.state().save_picker = std::move(receiver);
  sender.send(platform::PickFailed{"portal crashed"});
  ASSERT_TRUE(f.update());
  EXPECT_EQ(f.state().save_kind, app::SaveKind::Page);
  EXPECT_EQ(f.state().notice, (app::Notice{"Could not open the file picker",
                                           "Try saving the scanned page again.", false}));
  EXPECT_EQ(view_name(f.content()), "scan");
}

TEST(Update, AnotherViewIsReplacedByTheDashboardWhenTheSnapshotArrives) {
  Fixture f;
  f.start_with_snapshot();
  app::dispatch(f.state(), msg::OpenQueue{});
  app::start_refresh(f.state());
  ASSERT_TRUE(f.pump_until([&] { return !f.state().refresh_receiver.has_value(); }));
  EXPECT_EQ(view_name(f.content()), "dashboard");
}

TEST(Update, ResourceOperationsDispatchAtOnceOrReportWhyNot) {
  Fixture f;
  f.start_with_snapshot();
  EXPECT_EQ(f.root->resource_operation_handlers(), std::set<std::string>{"orvane.operation"});

  auto outcome = f.root->resource_operation(2, "orvane.operation", payload("queue"));
  EXPECT_EQ(outcome, ui::OperationOutcome::handled());
  EXPECT_EQ(view_name(f.content()), "queue");

  const ui::Widget* before = f.content();
  outcome = f.root->resource_operation(1, "orvane.operation", payload("queue"));
  EXPECT_EQ(outcome, ui::OperationOutcome::failed("Orvane operation has the wrong execution kind"));
  EXPECT_EQ(f.content(), before);

  outcome = f.root->resource_operation(1, "orvane.operations", payload("refresh"));
  EXPECT_EQ(outcome, ui::OperationOutcome::not_handled());

  outcome = f.root->resource_operation(1, "orvane.operation", payload(std::string("cancel\0x", 8)));
  EXPECT_EQ(outcome, ui::OperationOutcome::handled());
  ASSERT_TRUE(f.service->wait_for_calls(4));
  EXPECT_EQ(f.service->calls()[3], "cancel_job x") << "no confirmation step";
}

TEST(Update, PublishedResourcesFollowTheSnapshot) {
  Fixture f;
  f.service->hold();
  f.start();
  EXPECT_TRUE(f.root->resources().front().children.empty());
  f.service->release();
  ASSERT_TRUE(f.pump_until([&] { return f.root->state().snapshot.has_value(); }));
  EXPECT_EQ(f.root->resources().front().children.size(), 4u);
}

}  // namespace
