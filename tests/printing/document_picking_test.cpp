#include <gtest/gtest.h>

#include "app/dispatch.hpp"
#include "platform/worker.hpp"
#include "printing/document_picking.hpp"
#include "printing_fixture.hpp"

namespace {

using printtest::Fixture;
using printtest::is_dashboard;
using printtest::is_print_view;
using printtest::printer;
namespace msg = app::msg;

const app::Notice kPickerFailed{"Could not open the file picker",
                                "Try again, or print from the document's app.", false};

TEST(DocumentPicking, RequestAsksForDocumentsAndImagesAndStillAllowsEveryFile) {
  Fixture f;
  f.start_with_snapshot();
  f.send(msg::PrintDocument{});
  ASSERT_EQ(f.picker->requests.size(), 1u);
  const platform::PickRequest& request = f.picker->requests[0];
  EXPECT_EQ(request.mode, platform::PickMode::Open);
  EXPECT_EQ(request.title, "Choose a document to print");
  EXPECT_EQ(request.accept_label, "Choose");
  EXPECT_EQ(request.thread_name, "orvane-document-picker");
  ASSERT_EQ(request.filters.size(), 2u);
  EXPECT_EQ(request.filters[0].name, "Documents and images");
  EXPECT_EQ(request.filters[0].mime_types,
            (std::vector<std::string>{"application/pdf", "image/png", "image/jpeg", "text/plain"}));
  EXPECT_TRUE(request.filters[1].mime_types.empty());
  EXPECT_TRUE(request.filters[1].patterns.empty());
  EXPECT_TRUE(f.state().document_picker.has_value());
  EXPECT_TRUE(f.root->needs_idle_sync()) << "polling continues while the picker is open";
}

TEST(DocumentPicking, APickedDocumentGetsAPrinterAPreviewAndThePrintView) {
  Fixture f;
  f.start_with_snapshot();
  platform::clear_started_workers();
  f.preview->hold();
  f.pick("/home/ana/Travel itinerary.pdf");

  EXPECT_EQ(f.state().selected_document, "/home/ana/Travel itinerary.pdf");
  EXPECT_EQ(f.state().selected_printer, "Studio_printer") << "the default queue";
  EXPECT_TRUE(std::holds_alternative<app::PreviewLoading>(f.state().preview));
  ASSERT_TRUE(is_print_view(f.content()));
  EXPECT_TRUE(printtest::shows(f.content(), "Preparing document preview"));
  EXPECT_EQ(platform::started_workers(), std::vector<std::string>{"qiro-print-preview"});

  f.preview->release();
  ASSERT_TRUE(f.pump_until([&] { return !f.state().preview_receiver.has_value(); }));
  const auto* ready = std::get_if<app::PreviewReady>(&f.state().preview);
  ASSERT_NE(ready, nullptr);
  EXPECT_EQ(ready->width, std::string("/home/ana/Travel itinerary.pdf").size());
  ASSERT_EQ(f.preview->calls().size(), 1u);
  EXPECT_EQ(f.preview->calls()[0].category, 1) << "the category is passed on unchanged";
  EXPECT_EQ(f.preview->calls()[0].size_limit, 720u);
  ASSERT_TRUE(is_print_view(f.content()));
  const auto images = ui::find_all<ui::Image>(*f.content());
  ASSERT_EQ(images.size(), 1u);
  EXPECT_EQ(images[0]->label, "Preview of Travel itinerary.pdf");
}

TEST(DocumentPicking, APreviewServiceWithoutAPictureLeavesPrintingPossible) {
  Fixture f;
  f.start_with_snapshot();
  f.pick("/tmp/broken.pdf");
  ASSERT_TRUE(f.pump_until([&] { return !f.state().preview_receiver.has_value(); }));
  EXPECT_TRUE(std::holds_alternative<app::PreviewUnavailable>(f.state().preview));
  EXPECT_TRUE(printtest::shows(f.content(), "Preview unavailable"));
  EXPECT_NE(ui::find_control(*f.root->state().content, "orvane.print.submit"), nullptr);
}

TEST(DocumentPicking, APreviewWorkerThatCannotStartEndsAsUnavailable) {
  Fixture f;
  f.start_with_snapshot();
  platform::set_worker_spawn_failure_for_tests(true);
  f.pick("/tmp/a.pdf");
  platform::set_worker_spawn_failure_for_tests(false);
  EXPECT_TRUE(std::holds_alternative<app::PreviewLoading>(f.state().preview));
  ASSERT_TRUE(f.pump_until([&] { return !f.state().preview_receiver.has_value(); }));
  EXPECT_TRUE(std::holds_alternative<app::PreviewUnavailable>(f.state().preview));
  EXPECT_TRUE(is_print_view(f.content()));
  EXPECT_TRUE(f.preview->calls().empty());
}

TEST(DocumentPicking, ASecondRequestWhileThePickerIsOpenChangesNothing) {
  Fixture f;
  f.start_with_snapshot();
  f.state().copies.set(5.0);
  f.state().two_sided.set(true);
  f.send(msg::PrintDocument{});
  EXPECT_EQ(f.state().copies.get(), 1.0);
  EXPECT_FALSE(f.state().two_sided.get());

  f.state().copies.set(4.0);
  f.state().two_sided.set(true);
  f.state().preview = app::PreviewLoading{};
  f.send(msg::PrintDocument{});
  EXPECT_EQ(f.picker->requests.size(), 1u) << "no second picker";
  EXPECT_EQ(f.state().copies.get(), 4.0);
  EXPECT_TRUE(f.state().two_sided.get());
  EXPECT_TRUE(std::holds_alternative<app::PreviewLoading>(f.state().preview));
}

TEST(DocumentPicking, CancellingKeepsTheEarlierChoiceButNotItsPreviewOrOptions) {
  Fixture f;
  f.start_with_snapshot();
  f.pick("/docs/first.pdf");
  ASSERT_TRUE(f.pump_until([&] { return !f.state().preview_receiver.has_value(); }));
  app::dispatch(f.state(), msg::ChoosePrinter{"office-laser__2"});
  f.state().copies.set(3.0);
  f.state().two_sided.set(true);

  f.send(msg::PrintDocument{});
  const ui::Widget* before = f.content();
  f.picker->answer(platform::PickCancelled{});
  ASSERT_TRUE(f.pump_until([&] { return !f.state().document_picker.has_value(); }));

  EXPECT_EQ(f.content(), before) << "the view on screen stays";
  EXPECT_EQ(f.state().selected_document, "/docs/first.pdf");
  EXPECT_EQ(f.state().selected_printer, "office-laser__2");
  EXPECT_TRUE(std::holds_alternative<app::PreviewUnavailable>(f.state().preview));
  EXPECT_EQ(f.state().copies.get(), 1.0);
  EXPECT_FALSE(f.state().two_sided.get());
  EXPECT_FALSE(f.state().notice.has_value()) << "cancelling is not an error";
}

TEST(DocumentPicking, APickerFailureIsANoticeOnTheDashboard) {
  struct Case {
    std::string name;
    std::function<void(Fixture&)> fail;
  };
  const Case cases[] = {
      {"failed",
       [](Fixture& f) {
         f.send(msg::PrintDocument{});
         f.picker->answer(platform::PickFailed{"portal crashed"});
         ASSERT_TRUE(f.pump_until([&] { return !f.state().document_picker.has_value(); }));
       }},
      {"vanished",
       [](Fixture& f) {
         f.send(msg::PrintDocument{});
         f.picker->open.clear();
         ASSERT_TRUE(f.pump_until([&] { return !f.state().document_picker.has_value(); }));
       }},
      {"refused to start",
       [](Fixture& f) {
         f.picker->refuse = true;
         f.send(msg::PrintDocument{});
       }},
      {"no picker",
       [](Fixture& f) {
         f.state().services.host.picker.reset();
         f.send(msg::PrintDocument{});
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Fixture f;
    f.start_with_snapshot();
    f.pick("/docs/kept.pdf");
    app::dispatch(f.state(), msg::ChoosePrinter{"office-laser__2"});
    c.fail(f);
    EXPECT_FALSE(f.state().document_picker.has_value());
    EXPECT_EQ(f.state().notice, kPickerFailed);
    EXPECT_TRUE(is_dashboard(f.content()));
    EXPECT_TRUE(printtest::shows(f.content(), kPickerFailed.title));
    EXPECT_EQ(f.state().selected_document, "/docs/kept.pdf");
    EXPECT_EQ(f.state().selected_printer, "office-laser__2");
    EXPECT_FALSE(f.root->needs_idle_sync());
  }
}

TEST(DocumentPicking, PreselectionPrefersTheDefaultThenTheFirstQueue) {
  auto snapshot_of = [](devices::ListResult<devices::PrinterQueue> printers) {
    return std::optional<app::Snapshot>(app::Snapshot{
        std::move(printers), std::vector<devices::PrintJob>{}, std::vector<devices::Scanner>{}});
  };
  using Queues = std::vector<devices::PrinterQueue>;
  struct Case {
    std::string name;
    std::optional<app::Snapshot> snapshot;
    std::optional<std::string> chosen;
  };
  const Case cases[] = {
      {"default second", snapshot_of(Queues{printer("A"), printer("B", true)}), "B"},
      {"two defaults", snapshot_of(Queues{printer("A"), printer("B", true), printer("C", true)}),
       "B"},
      {"no default", snapshot_of(Queues{printer("A"), printer("B")}), "A"},
      {"empty list", snapshot_of(Queues{}), std::nullopt},
      {"failed list", snapshot_of(platform::err("no cups")), std::nullopt},
      {"no snapshot", std::nullopt, std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(printing::preselected_printer(c.snapshot), c.chosen);
  }
}

TEST(DocumentPicking, PickingBeforeTheFirstSnapshotStoresTheDocumentOnly) {
  Fixture f;
  f.service->hold();
  f.start();
  const ui::Widget* loading = f.content();
  f.pick("/docs/early.pdf");
  EXPECT_EQ(f.state().selected_document, "/docs/early.pdf");
  EXPECT_FALSE(f.state().selected_printer.has_value());
  EXPECT_EQ(f.content(), loading) << "the print view needs the snapshot";
  ASSERT_TRUE(f.pump_until([&] { return !f.state().preview_receiver.has_value(); }));
  EXPECT_TRUE(std::holds_alternative<app::PreviewReady>(f.state().preview));
  EXPECT_EQ(f.content(), loading) << "a preview result does not bring the print view either";
  f.service->release();
  ASSERT_TRUE(f.pump_until([&] { return f.root->state().snapshot.has_value(); }));
  EXPECT_TRUE(is_dashboard(f.content()));
}

TEST(DocumentPicking, ASecondDocumentRedoesTheChoiceAndDropsTheFirstPreview) {
  Fixture f;
  f.start_with_snapshot();
  f.preview->hold();
  f.pick("/docs/first.pdf");
  ASSERT_TRUE(f.preview->wait_for_calls(1));

  // The default changed in between.
  f.state().snapshot->printers = std::vector<devices::PrinterQueue>{printer("Den", true)};
  f.pick("/docs/second-document.pdf");
  EXPECT_EQ(f.state().selected_printer, "Den");
  ASSERT_TRUE(f.preview->wait_for_calls(2));
  f.preview->release();
  ASSERT_TRUE(f.pump_until([&] { return !f.state().preview_receiver.has_value(); }));
  const auto* ready = std::get_if<app::PreviewReady>(&f.state().preview);
  ASSERT_NE(ready, nullptr);
  EXPECT_EQ(ready->width, std::string("/docs/second-document.pdf").size());
  f.pump_for(std::chrono::milliseconds(30));
  ready = std::get_if<app::PreviewReady>(&f.state().preview);
  ASSERT_NE(ready, nullptr);
  EXPECT_EQ(ready->width, std::string("/docs/second-document.pdf").size())
      << "the first document's late preview is never shown";
}

TEST(DocumentPicking, GoingBackWhileThePreviewLoadsReturnsToThePrintViewWhenItArrives) {
  Fixture f;
  f.start_with_snapshot();
  f.preview->hold();
  f.pick("/docs/Report.pdf");
  app::dispatch(f.state(), msg::ReturnToDashboard{});
  ASSERT_TRUE(is_dashboard(f.content()));
  f.preview->release();
  ASSERT_TRUE(f.pump_until([&] { return !f.state().preview_receiver.has_value(); }));
  EXPECT_TRUE(is_print_view(f.content()));
  EXPECT_EQ(f.state().selected_document, "/docs/Report.pdf");
  EXPECT_EQ(f.state().selected_printer, "Studio_printer");
  EXPECT_TRUE(std::holds_alternative<app::PreviewReady>(f.state().preview));
}

}  // namespace
