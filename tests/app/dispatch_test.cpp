#include <gtest/gtest.h>

#include "app/dispatch.hpp"
#include "app_fixture.hpp"
#include "platform/worker.hpp"

namespace {

using apptest::Fixture;
using apptest::view_name;
namespace msg = app::msg;

TEST(Dispatch, LiveStartShowsLoadingThenTheDashboard) {
  Fixture f;
  f.start();
  EXPECT_EQ(view_name(f.content()), "loading");
  EXPECT_TRUE(f.root->needs_idle_sync());
  ASSERT_TRUE(f.pump_until([&] { return f.root->state().snapshot.has_value(); }));
  EXPECT_EQ(view_name(f.content()), "dashboard");
  EXPECT_FALSE(f.root->needs_idle_sync());
  EXPECT_EQ(f.service->calls(), (std::vector<std::string>{"queues", "jobs", "scanners"}));
}

TEST(Dispatch, ViewsThatNeedTheSnapshotWaitForIt) {
  Fixture f;
  f.service->hold();
  f.start();
  const ui::Widget* loading = f.content();
  for (app::Message m :
       {app::Message{msg::OpenQueue{}}, app::Message{msg::OpenHistory{}},
        app::Message{msg::OpenDiagnostics{}}, app::Message{msg::OpenPrinter{"Studio_printer"}}}) {
    app::dispatch(f.state(), std::move(m));
    EXPECT_EQ(f.content(), loading);
  }
  app::dispatch(f.state(), msg::ReturnToDashboard{});
  EXPECT_EQ(view_name(f.content()), "first-printer");
  f.service->release();
}

TEST(Dispatch, NavigationWithASnapshot) {
  Fixture f;
  f.start_with_snapshot();
  struct Case {
    app::Message message;
    std::string view;
  };
  const Case cases[] = {
      {msg::OpenQueue{}, "queue"},
      {msg::OpenHistory{}, "history"},
      {msg::OpenDiagnostics{}, "diagnostics"},
      {msg::OpenPrinter{"office-laser__2"}, "printer"},
      {msg::ReturnToDashboard{}, "dashboard"},
      {msg::AskCancelJob{"Studio_printer-42"}, "queue"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.view);
    app::dispatch(f.state(), c.message);
    EXPECT_EQ(view_name(f.content()), c.view);
  }
  EXPECT_EQ(f.state().cancel_candidate, "Studio_printer-42");
  EXPECT_TRUE(apptest::shows(f.content(), "Cancel this document?"));

  const ui::Widget* before = f.content();
  app::dispatch(f.state(), msg::OpenPrinter{"No_such_printer"});
  EXPECT_EQ(f.content(), before) << "an unknown queue leaves the view as it was";
}

struct OperationCase {
  std::string name;
  app::Message message;
  std::string call;
  std::string thread;
  app::Notice success;
  app::Notice failure;
};

TEST(Dispatch, OperationsRunOnNamedWorkersAndEndWithTheirNoticeOnTheDashboard) {
  const std::string check = "Nothing changed. Check the printer connection and try again.";
  const OperationCase cases[] = {
      {"pause",
       msg::SetPrinterEnabled{"office-laser__2", false},
       "set_enabled office-laser__2 false",
       "qiro-toggle-printer",
       {"Printer paused", "Documents will wait until you resume it.", true},
       {"Could not pause printer", check, false}},
      {"resume",
       msg::SetPrinterEnabled{"Studio_printer", true},
       "set_enabled Studio_printer true",
       "qiro-toggle-printer",
       {"Printer resumed", "Waiting documents can print now.", true},
       {"Could not resume printer", check, false}},
      {"default",
       msg::SetDefaultPrinter{"office-laser__2"},
       "set_default office-laser__2",
       "qiro-default-printer",
       {"Preferred printer changed",
        "New documents will use office laser 2 unless you choose another printer.", true},
       {"Could not change the preferred printer",
        "office laser 2 is still available; try again in a moment.", false}},
      {"cancel",
       msg::CancelJob{"Studio_printer-42"},
       "cancel_job Studio_printer-42",
       "qiro-cancel-print-job",
       {"Document canceled", "It was removed from the printer.", true},
       {"Could not cancel document", "The document may still print. Check the queue and try again.",
        false}},
      {"retry",
       msg::RetryJob{"Studio_printer-41"},
       "retry_job Studio_printer-41",
       "qiro-retry-print-job",
       {"Document sent again", "It is back in the print queue.", true},
       {"Could not try again", "Check the printer, then try again.", false}},
      {"add",
       msg::AddPrinter{{"ipp://127.0.0.1:8631/ipp/print", "Studio_printer", "Upstairs"}},
       "add_driverless ipp://127.0.0.1:8631/ipp/print Studio_printer",
       "qiro-add-printer",
       {"Printer added", "Studio printer is ready for your apps.", true},
       {"Could not add printer",
        "Check that Studio printer is awake and connected, then try again.", false}},
  };
  for (const bool fail : {false, true}) {
    for (const auto& c : cases) {
      SCOPED_TRACE(c.name + (fail ? " failing" : ""));
      Fixture f;
      f.start_with_snapshot();
      const std::string key = c.call.substr(0, c.call.find(' '));
      if (fail) f.service->fail(key, "ipp: client-error-not-found");
      app::dispatch(f.state(), msg::OpenQueue{});
      platform::clear_started_workers();
      app::dispatch(f.state(), c.message);
      EXPECT_EQ(view_name(f.content()), "queue") << "the view stays until the refresh";
      EXPECT_EQ(platform::started_workers(), std::vector<std::string>{c.thread});
      ASSERT_TRUE(f.pump_until([&] { return f.state().notice.has_value(); }));
      EXPECT_EQ(*f.state().notice, fail ? c.failure : c.success);
      EXPECT_TRUE(f.state().refresh_receiver.has_value()) << "a refresh follows every operation";
      ASSERT_TRUE(f.pump_until([&] { return !f.state().refresh_receiver.has_value(); }));
      EXPECT_EQ(view_name(f.content()), "dashboard");
      EXPECT_TRUE(apptest::shows(f.content(), (fail ? c.failure : c.success).title));
      EXPECT_EQ(f.service->calls().at(3), c.call);
    }
  }
}

TEST(Dispatch, CancelClearsTheConfirmationFirst) {
  Fixture f;
  f.start_with_snapshot();
  app::dispatch(f.state(), msg::AskCancelJob{"Studio_printer-42"});
  app::dispatch(f.state(), msg::ReturnToDashboard{});
  app::dispatch(f.state(), msg::OpenQueue{});
  EXPECT_EQ(f.state().cancel_candidate, "Studio_printer-42") << "survives navigation";
  app::dispatch(f.state(), msg::CancelJob{"Studio_printer-42"});
  EXPECT_FALSE(f.state().cancel_candidate.has_value());
}

TEST(Dispatch, TheLastNoticeToArriveWinsAndOnlyTheLastRefreshCounts) {
  Fixture f;
  f.start_with_snapshot();
  app::dispatch(f.state(), msg::OperationFinished{{"First", "one", true}});
  app::dispatch(f.state(), msg::OperationFinished{{"Second", "two", false}});
  ASSERT_TRUE(f.pump_until([&] { return !f.state().refresh_receiver.has_value(); }));
  EXPECT_EQ(f.state().notice, (app::Notice{"Second", "two", false}));
  // The abandoned first refresh finishes too, but nothing of it is applied.
  ASSERT_TRUE(f.service->wait_for_calls(9));
  EXPECT_FALSE(f.update());
  EXPECT_EQ(apptest::view_name(f.content()), "dashboard");
}

TEST(Dispatch, RefreshClearsTheNoticeAndShowsLoading) {
  Fixture f;
  f.start_with_snapshot();
  f.state().notice = app::Notice{"Printer paused", "x", true};
  app::dispatch(f.state(), msg::Refresh{});
  EXPECT_FALSE(f.state().notice.has_value());
  EXPECT_EQ(view_name(f.content()), "loading");
  ASSERT_TRUE(f.pump_until([&] { return !f.state().refresh_receiver.has_value(); }));
  EXPECT_EQ(view_name(f.content()), "dashboard");
}

TEST(Dispatch, ARefreshThatCannotStartLeavesTheLoadingView) {
  Fixture f;
  platform::set_worker_spawn_failure_for_tests(true);
  f.start();
  platform::set_worker_spawn_failure_for_tests(false);
  EXPECT_FALSE(f.state().refresh_receiver.has_value());
  EXPECT_EQ(view_name(f.content()), "loading");
  EXPECT_FALSE(f.root->needs_idle_sync());
  EXPECT_FALSE(f.update());
}

TEST(Dispatch, DiscoveryShowsSearchingThenItsResultWhereverTheUserIs) {
  Fixture f;
  f.start_with_snapshot();
  f.service->discovered = {{"ipp://printer.local/ipp/print", "Office laser", std::nullopt}};
  f.service->hold();
  app::dispatch(f.state(), msg::DiscoverPrinters{});
  EXPECT_EQ(view_name(f.content()), "add-printer");
  app::dispatch(f.state(), msg::ReturnToDashboard{});
  EXPECT_EQ(view_name(f.content()), "dashboard");
  f.service->release();
  ASSERT_TRUE(f.pump_until([&] { return view_name(f.content()) == "add-printer"; }));
  EXPECT_TRUE(apptest::shows(f.content(), "Office laser"));
}

TEST(Dispatch, AnOperationWhileAPageIsUnderReviewStaysInTheScanView) {
  Fixture f;
  f.start_with_snapshot();
  app::ScannedPage page;
  page.pixels = std::make_shared<const std::vector<std::uint8_t>>(4 * 4 * 4, 255);
  page.encoded_image = std::make_shared<const std::vector<std::uint8_t>>();
  page.width = 4;
  page.height = 4;
  page.language_name = "English";
  f.state().scanned_pages = {page};
  f.state().current_page_view = page;
  app::dispatch(f.state(), msg::OperationFinished{{"Saved", "ok", true}});
  EXPECT_FALSE(f.state().refresh_receiver.has_value());
  EXPECT_EQ(view_name(f.content()), "scan");
  EXPECT_TRUE(apptest::shows(f.content(), "Saved"));
}

}  // namespace
