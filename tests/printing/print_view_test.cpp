#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "printing/printing.hpp"
#include "ui/controls.hpp"
#include "ui/widgets.hpp"

namespace {

namespace msg = app::msg;

devices::PrinterQueue queue(std::string name, devices::PrinterState state, bool accepting = true) {
  devices::PrinterQueue q;
  q.name = std::move(name);
  q.state = state;
  q.accepting_jobs = accepting;
  return q;
}

app::Snapshot snapshot_with(std::vector<devices::PrinterQueue> printers) {
  return app::Snapshot{std::move(printers), std::vector<devices::PrintJob>{},
                       std::vector<devices::Scanner>{}};
}

app::Snapshot printers_failed() {
  return app::Snapshot{platform::err("cups is down"), std::vector<devices::PrintJob>{},
                       std::vector<devices::Scanner>{}};
}

struct ViewHarness {
  platform::Cell<double> copies{1.0};
  platform::Cell<bool> two_sided{false};
  app::MessageSender sender;
  app::MessageReceiver inbox;

  ViewHarness() {
    auto [tx, rx] = platform::channel<app::Message>();
    sender = std::move(tx);
    inbox = std::move(rx);
  }

  ui::WidgetPtr build(const app::Snapshot& snapshot, const std::string& path,
                      const app::PreviewState& preview, const std::optional<std::string>& printer) {
    return printing::print_view(snapshot, path, preview, printer, copies, two_sided, sender);
  }
};

bool shows(const ui::Widget& view, const std::string& text) {
  for (const auto& t : ui::texts(view)) {
    if (t == text) return true;
  }
  return false;
}

// The container that holds the preview: the parent of the image, the
// progress bar or the "Preview unavailable" column.
const ui::Container* preview_box(const ui::Widget& view) {
  const ui::Container* found = nullptr;
  ui::visit(view, [&](const ui::Widget& widget) {
    const auto* box = dynamic_cast<const ui::Container*>(&widget);
    if (box && box->width == 180) found = box;
  });
  return found;
}

app::PreviewReady ready_preview(std::uint32_t width, std::uint32_t height) {
  auto pixels = std::make_shared<std::vector<std::uint8_t>>(std::size_t{width} * height * 4, 200);
  return app::PreviewReady{width, height, pixels};
}

TEST(PrintView, PreviewBoxFollowsThePreviewState) {
  ViewHarness h;
  const auto snapshot = snapshot_with({queue("Studio_printer", devices::PrinterState::Idle)});
  const auto ready = ready_preview(120, 170);

  {
    auto view = h.build(snapshot, "/home/ana/Travel itinerary.pdf", ready, "Studio_printer");
    const ui::Container* box = preview_box(*view);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->height, 220);
    const auto* image = dynamic_cast<const ui::Image*>(box->child());
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->label, "Preview of Travel itinerary.pdf");
    EXPECT_EQ(image->width, 120u);
    EXPECT_EQ(image->height, 170u);
    EXPECT_EQ(image->pixels, ready.pixels) << "the view shares the bytes, it copies no pixels";
    EXPECT_FALSE(shows(*view, "Preview unavailable"));
  }
  {
    auto view = h.build(snapshot, "/tmp/a.pdf", app::PreviewLoading{}, "Studio_printer");
    const ui::Container* box = preview_box(*view);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->height, 138);
    const auto* bar = dynamic_cast<const ui::ProgressBar*>(box->child());
    ASSERT_NE(bar, nullptr);
    EXPECT_FALSE(bar->fraction.has_value()) << "indeterminate";
    EXPECT_EQ(bar->label, "Preparing document preview");
  }
  {
    auto view = h.build(snapshot, "/tmp/a.pdf", app::PreviewUnavailable{}, "Studio_printer");
    const ui::Container* box = preview_box(*view);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->height, 138);
    EXPECT_EQ(ui::texts(*box), (std::vector<std::string>{"Preview unavailable",
                                                         "The original document is unchanged."}));
    const auto icons = ui::find_all<ui::Icon>(*box);
    ASSERT_EQ(icons.size(), 1u);
    EXPECT_EQ(icons[0]->number, 23);
    EXPECT_EQ(icons[0]->size, 42);
    EXPECT_TRUE(ui::find_all<ui::Image>(*view).empty());
  }
}

TEST(PrintView, AReadyPreviewWithTooFewBytesIsShownAsUnavailable) {
  ViewHarness h;
  const auto snapshot = snapshot_with({});
  app::PreviewReady short_buffer = ready_preview(10, 10);
  short_buffer.height = 11;
  const app::PreviewReady no_buffer{4, 4, nullptr};
  for (const auto& broken : {short_buffer, no_buffer}) {
    auto view = h.build(snapshot, "/tmp/a.pdf", broken, std::nullopt);
    EXPECT_TRUE(ui::find_all<ui::Image>(*view).empty());
    EXPECT_TRUE(shows(*view, "Preview unavailable"));
  }
}

TEST(PrintView, TextsAndControlsOfTheThreeCards) {
  ViewHarness h;
  h.copies.set(3.0);
  auto view = h.build(snapshot_with({queue("Studio_printer", devices::PrinterState::Idle)}),
                      "/docs/Report.pdf", app::PreviewUnavailable{}, "Studio_printer");
  const std::vector<std::string> expected{
      "Orvane",
      "Print a document",
      "Review the document and choose a printer",
      "Report.pdf",
      "Preview unavailable",
      "The original document is unchanged.",
      "Ready to print",
      "The printer will render this document",
      "Printing options",
      "Copies",
      "Number of copies",
      "Print on both sides",
      "Printer",
      "Printer",
      "Choose a printer",
      "Studio printer (Ready)",
      "Choose where to send this document.",
      "Cancel",
      "Print",
  };
  EXPECT_EQ(ui::texts(*view), expected);

  const auto* copies =
      dynamic_cast<const ui::NumberInput*>(ui::find_control(*view, "orvane.print.copies"));
  ASSERT_NE(copies, nullptr);
  EXPECT_EQ(copies->min, 1);
  EXPECT_EQ(copies->max, 99);
  EXPECT_TRUE(copies->value.same_cell(h.copies)) << "edits go straight into the state's cell";
  EXPECT_EQ(copies->value.get(), 3.0);

  const auto toggles = ui::find_all<ui::Toggle>(*view);
  ASSERT_EQ(toggles.size(), 1u);
  EXPECT_TRUE(toggles[0]->value.same_cell(h.two_sided));
  toggles[0]->value.set(true);
  EXPECT_TRUE(h.two_sided.get());

  // Three columns of 260, then the page in the wide frame.
  int fixed_columns = 0;
  ui::visit(*view, [&](const ui::Widget& w) {
    const auto* c = dynamic_cast<const ui::Container*>(&w);
    if (c && c->width == 260) ++fixed_columns;
  });
  EXPECT_EQ(fixed_columns, 3);
  const auto frames = ui::find_all<ui::Container>(*view);
  ASSERT_FALSE(frames.empty());
  EXPECT_EQ(frames.front()->max_width, 1120);
  EXPECT_EQ(ui::find_all<ui::Banner>(*view).size(), 0u) << "the print view shows no notice";
}

TEST(PrintView, ActionBarOffersPrintOnlyWithAPrinter) {
  ViewHarness h;
  const auto snapshot = snapshot_with({queue("Studio_printer", devices::PrinterState::Idle)});

  auto with_printer = h.build(snapshot, "/tmp/a.pdf", app::PreviewLoading{}, "Studio_printer");
  const auto* submit =
      dynamic_cast<const ui::Button*>(ui::find_control(*with_printer, "orvane.print.submit"));
  ASSERT_NE(submit, nullptr);
  EXPECT_EQ(submit->label, "Print");
  EXPECT_EQ(submit->style, ui::ButtonStyle::PlainSecondary);
  EXPECT_FALSE(submit->icon.has_value());
  const auto* cancel =
      dynamic_cast<const ui::Button*>(ui::find_control(*with_printer, "orvane.print.cancel"));
  ASSERT_NE(cancel, nullptr);
  EXPECT_EQ(cancel->style, ui::ButtonStyle::Plain);

  ASSERT_TRUE(ui::invoke(*with_printer, "orvane.print.submit"));
  ASSERT_TRUE(ui::invoke(*with_printer, "orvane.print.cancel"));
  EXPECT_EQ(h.inbox.try_take(), app::Message{msg::SubmitPrint{}});
  EXPECT_EQ(h.inbox.try_take(), app::Message{msg::CancelPrint{}});

  for (const auto& snap : {snapshot_with({}), printers_failed(), snapshot}) {
    auto without = h.build(snap, "/tmp/a.pdf", app::PreviewLoading{}, std::nullopt);
    EXPECT_EQ(ui::find_control(*without, "orvane.print.submit"), nullptr);
    EXPECT_NE(ui::find_control(*without, "orvane.print.cancel"), nullptr);
  }
}

TEST(PrintView, PrinterChoiceListsEveryQueueAndPostsChoosePrinter) {
  ViewHarness h;
  const auto snapshot = snapshot_with({
      queue("Studio_printer", devices::PrinterState::Processing),
      queue("office-laser__2", devices::PrinterState::Stopped),
      queue("Den", devices::PrinterState::Idle, false),
  });
  auto view = h.build(snapshot, "/tmp/a.pdf", app::PreviewUnavailable{}, "office-laser__2");
  const auto* choice =
      dynamic_cast<const ui::Dropdown*>(ui::find_control(*view, "orvane.print.printer"));
  ASSERT_NE(choice, nullptr);
  EXPECT_EQ(choice->label, "Printer");
  EXPECT_EQ(choice->placeholder, "Choose a printer");
  EXPECT_EQ(choice->current, "office-laser__2");
  ASSERT_EQ(choice->options.size(), 3u);
  const std::vector<std::pair<std::string, std::string>> expected{
      {"Studio_printer", "Studio printer (Printing)"},
      {"office-laser__2", "office laser 2 (Paused)"},
      {"Den", "Den (Not accepting new documents)"},
  };
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(choice->options[i].value, expected[i].first);
    EXPECT_EQ(choice->options[i].label, expected[i].second);
  }
  ASSERT_TRUE(ui::select(*view, "orvane.print.printer", 2));
  EXPECT_EQ(h.inbox.try_take(), app::Message{msg::ChoosePrinter{"Den"}});

  auto none_chosen = h.build(snapshot, "/tmp/a.pdf", app::PreviewUnavailable{}, std::nullopt);
  const auto* empty_choice =
      dynamic_cast<const ui::Dropdown*>(ui::find_control(*none_chosen, "orvane.print.printer"));
  ASSERT_NE(empty_choice, nullptr);
  EXPECT_FALSE(empty_choice->current.has_value());
}

TEST(PrintView, FailedPrinterListShowsTheFailureCardAndNoOptions) {
  ViewHarness h;
  auto view = h.build(printers_failed(), "/tmp/a.pdf", app::PreviewUnavailable{}, std::nullopt);
  EXPECT_TRUE(shows(*view, "Printers couldn't be checked"));
  EXPECT_TRUE(shows(*view,
                    "Orvane couldn't get printers right now. Your saved devices and "
                    "documents have not been removed."));
  ASSERT_TRUE(ui::invoke(*view, "orvane.service.retry"));
  EXPECT_EQ(h.inbox.try_take(), app::Message{msg::Refresh{}});
  const auto* choice =
      dynamic_cast<const ui::Dropdown*>(ui::find_control(*view, "orvane.print.printer"));
  ASSERT_NE(choice, nullptr);
  EXPECT_TRUE(choice->options.empty());

  // Only the printers part matters here.
  app::Snapshot others_failed = snapshot_with({});
  others_failed.jobs = platform::err("x");
  others_failed.scanners = platform::err("y");
  auto fine = h.build(others_failed, "/tmp/a.pdf", app::PreviewUnavailable{}, std::nullopt);
  EXPECT_EQ(ui::find_control(*fine, "orvane.service.retry"), nullptr);
}

TEST(PrintView, DocumentTitleFallsBackWithoutAUsableFileName) {
  ViewHarness h;
  const auto snapshot = snapshot_with({});
  const auto ready = ready_preview(2, 2);
  struct Case {
    std::string path;
    std::string title;
  };
  const Case cases[] = {
      {"/home/ana/Résumé 2024.pdf", "Résumé 2024.pdf"},
      {"relative.txt", "relative.txt"},
      {"/", "Selected document"},
      {"/home/ana/", "Selected document"},
      {"/home/ana/..", "Selected document"},
      {"/tmp/\xff\xfe.pdf", "Selected document"},
      {"/tmp/\xc3(.pdf", "Selected document"},
      {"/tmp/\xed\xa0\x80.pdf", "Selected document"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    auto view = h.build(snapshot, c.path, ready, std::nullopt);
    const auto cards = ui::find_all<ui::Card>(*view);
    ASSERT_FALSE(cards.empty());
    EXPECT_EQ(cards.front()->title, c.title);
    const auto images = ui::find_all<ui::Image>(*view);
    ASSERT_EQ(images.size(), 1u);
    EXPECT_EQ(images[0]->label, "Preview of " + c.title);
  }
}

}  // namespace
