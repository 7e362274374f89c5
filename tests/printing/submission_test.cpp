#include <gtest/gtest.h>

#include "app/dispatch.hpp"
#include "platform/worker.hpp"
#include "printing_fixture.hpp"

namespace {

using printtest::Fixture;
using printtest::is_dashboard;
using printtest::is_print_view;
namespace msg = app::msg;

// Calls made to the service apart from the refresh lists.
std::vector<std::string> print_calls(const support::InMemoryService& service) {
  std::vector<std::string> out;
  for (const auto& call : service.calls()) {
    if (call.rfind("print_document", 0) == 0) out.push_back(call);
  }
  return out;
}

TEST(Submission, SendsTheDocumentWithConvertedCopiesAndReportsOnTheDashboard) {
  struct Case {
    std::string name;
    double copies;
    bool two_sided;
    bool fails;
    std::string call;
    app::Notice notice;
  };
  const Case cases[] = {
      {"sent",
       2.5,
       true,
       false,
       "print_document office-laser__2 /home/ana/Report.pdf 2 two-sided",
       {"Document sent to printer", "Report.pdf was sent to office laser 2.", true}},
      {"not sent",
       120,
       false,
       true,
       "print_document office-laser__2 /home/ana/Report.pdf 99 one-sided",
       {"Could not print document", "Report.pdf was not sent. Check the printer and try again.",
        false}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Fixture f;
    if (c.fails) f.service->fail("print_document", "client-error-document-format");
    f.start_with_snapshot();
    f.pick("/home/ana/Report.pdf");
    app::dispatch(f.state(), msg::ChoosePrinter{"office-laser__2"});
    f.state().copies.set(c.copies);
    f.state().two_sided.set(c.two_sided);
    platform::clear_started_workers();
    const ui::Widget* print_view = f.content();

    f.send(msg::SubmitPrint{});
    EXPECT_EQ(f.content(), print_view) << "the view on screen stays until the refresh";
    EXPECT_FALSE(f.state().selected_document.has_value());
    EXPECT_FALSE(f.state().selected_printer.has_value());
    EXPECT_TRUE(std::holds_alternative<app::PreviewUnavailable>(f.state().preview));
    EXPECT_EQ(f.state().copies.get(), c.copies) << "kept until the next print task";
    EXPECT_EQ(f.state().two_sided.get(), c.two_sided);
    EXPECT_EQ(platform::started_workers(), std::vector<std::string>{"qiro-print-document"});

    ASSERT_TRUE(f.pump_until([&] { return f.state().notice.has_value(); }));
    EXPECT_EQ(f.state().notice, c.notice);
    EXPECT_EQ(print_calls(*f.service), std::vector<std::string>{c.call});
    ASSERT_TRUE(f.pump_until([&] { return !f.state().refresh_receiver.has_value(); }));
    EXPECT_TRUE(is_dashboard(f.content()));
    EXPECT_TRUE(printtest::shows(f.content(), c.notice.title));
  }
}

TEST(Submission, PressingPrintAgainInTheStillVisibleViewSendsNothing) {
  Fixture f;
  f.start_with_snapshot();
  f.service->hold();
  f.pick("/docs/a.pdf");
  f.send(msg::SubmitPrint{});
  ASSERT_TRUE(ui::invoke(*f.state().content, "orvane.print.submit"));
  f.pump_for(std::chrono::milliseconds(50));
  f.service->release();
  ASSERT_TRUE(f.pump_until([&] { return f.state().notice.has_value(); }));
  f.pump_for(std::chrono::milliseconds(50));
  EXPECT_EQ(print_calls(*f.service).size(), 1u);
}

TEST(Submission, WithoutADocumentOrAPrinterNothingIsSentAndBothAreCleared) {
  struct Case {
    std::string name;
    std::optional<std::string> document;
    std::optional<std::string> printer;
  };
  const Case cases[] = {
      {"no printer", "/docs/a.pdf", std::nullopt},
      {"no document", std::nullopt, "Studio_printer"},
      {"neither", std::nullopt, std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Fixture f;
    f.start_with_snapshot();
    f.state().selected_document = c.document;
    f.state().selected_printer = c.printer;
    f.state().preview = app::PreviewLoading{};
    platform::clear_started_workers();
    const ui::Widget* before = f.content();
    f.send(msg::SubmitPrint{});
    EXPECT_FALSE(f.state().selected_document.has_value());
    EXPECT_FALSE(f.state().selected_printer.has_value());
    EXPECT_TRUE(platform::started_workers().empty());
    EXPECT_EQ(f.content(), before);
    EXPECT_FALSE(f.state().notice.has_value());
  }
}

TEST(Submission, ADocumentWithoutAFileNameIsCalledDocumentInTheNotice) {
  Fixture f;
  f.start_with_snapshot();
  f.pick("/mnt/usb/");
  EXPECT_TRUE(printtest::shows(f.content(), "Selected document"));
  f.send(msg::SubmitPrint{});
  ASSERT_TRUE(f.pump_until([&] { return f.state().notice.has_value(); }));
  EXPECT_EQ(f.state().notice->detail, "Document was sent to Studio printer.");
}

TEST(Submission, SubmittingWhileThePreviewLoadsAbandonsIt) {
  Fixture f;
  f.start_with_snapshot();
  f.preview->hold();
  f.pick("/docs/a.pdf");
  ASSERT_TRUE(f.preview->wait_for_calls(1));
  f.send(msg::SubmitPrint{});
  EXPECT_FALSE(f.state().preview_receiver.has_value());
  f.preview->release();
  ASSERT_TRUE(f.pump_until([&] { return f.state().notice.has_value(); }));
  f.pump_for(std::chrono::milliseconds(30));
  EXPECT_TRUE(std::holds_alternative<app::PreviewUnavailable>(f.state().preview));
  EXPECT_EQ(print_calls(*f.service).size(), 1u);
  EXPECT_FALSE(is_print_view(f.content()));
}

TEST(Submission, AWorkerThatCannotStartSendsNothingAndReportsNothing) {
  Fixture f;
  f.start_with_snapshot();
  f.pick("/docs/a.pdf");
  platform::set_worker_spawn_failure_for_tests(true);
  f.send(msg::SubmitPrint{});
  platform::set_worker_spawn_failure_for_tests(false);
  EXPECT_FALSE(f.state().selected_document.has_value());
  f.pump_for(std::chrono::milliseconds(30));
  EXPECT_TRUE(print_calls(*f.service).empty());
  EXPECT_FALSE(f.state().notice.has_value());
}

TEST(Submission, CancelEndsThePrintTaskAndResetsItsOptions) {
  Fixture f;
  f.start_with_snapshot();
  f.preview->hold();
  f.pick("/docs/a.pdf");
  f.state().copies.set(7.0);
  f.state().two_sided.set(true);
  f.send(msg::CancelPrint{});
  EXPECT_FALSE(f.state().selected_document.has_value());
  EXPECT_FALSE(f.state().selected_printer.has_value());
  EXPECT_FALSE(f.state().preview_receiver.has_value());
  EXPECT_TRUE(std::holds_alternative<app::PreviewUnavailable>(f.state().preview));
  EXPECT_EQ(f.state().copies.get(), 1.0);
  EXPECT_FALSE(f.state().two_sided.get());
  EXPECT_TRUE(is_dashboard(f.content()));
  f.preview->release();
  f.pump_for(std::chrono::milliseconds(30));
  EXPECT_TRUE(is_dashboard(f.content())) << "the late preview does not reopen the view";
  EXPECT_TRUE(print_calls(*f.service).empty());
}

TEST(Submission, ChoosingAPrinterRebuildsTheViewOnlyDuringAPrintTask) {
  Fixture f;
  f.start_with_snapshot();
  f.pick("/docs/a.pdf");
  f.send(msg::ChoosePrinter{"office-laser__2"});
  EXPECT_EQ(f.state().selected_printer, "office-laser__2");
  ASSERT_TRUE(is_print_view(f.content()));
  const auto* choice = dynamic_cast<const ui::Dropdown*>(
      ui::find_control(*f.state().content, "orvane.print.printer"));
  ASSERT_NE(choice, nullptr);
  EXPECT_EQ(choice->current, "office-laser__2");

  f.send(msg::CancelPrint{});
  const ui::Widget* dashboard = f.content();
  f.send(msg::ChoosePrinter{"Studio_printer"});
  EXPECT_EQ(f.content(), dashboard) << "no print view without a document";
}

TEST(Submission, OtherMessagesAreLeftToTheMainDispatcher) {
  Fixture f;
  f.start_with_snapshot();
  app::Message open_printer = msg::OpenPrinter{"Studio_printer"};
  EXPECT_FALSE(printing::dispatch(f.state(), open_printer));
  EXPECT_EQ(open_printer, app::Message{msg::OpenPrinter{"Studio_printer"}});
  app::Message finished = msg::OperationFinished{{"t", "d", true}};
  EXPECT_FALSE(printing::dispatch(f.state(), finished));
  EXPECT_FALSE(f.state().notice.has_value());
}

}  // namespace
