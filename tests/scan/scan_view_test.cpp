#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "scan/scan.hpp"
#include "ui/controls.hpp"

namespace scan {
namespace {

// The kinds and key texts of a column's children, one word each: "gap 20",
// "card Scanner", "banner", "row", "column", "text Portrait page".
std::vector<std::string> outline(const ui::Widget& column) {
  std::vector<std::string> out;
  for (const ui::Widget* child : column.children()) {
    if (auto* box = dynamic_cast<const ui::Container*>(child);
        box && !box->child() && box->height) {
      out.push_back("gap " + std::to_string(*box->height));
    } else if (auto* card = dynamic_cast<const ui::Card*>(child)) {
      out.push_back("card " + card->title.value_or(""));
    } else if (auto* text = dynamic_cast<const ui::Text*>(child)) {
      out.push_back("text " + text->text);
    } else if (dynamic_cast<const ui::Banner*>(child)) {
      out.push_back("banner");
    } else {
      out.push_back(std::string(child->short_name()));
    }
  }
  return out;
}

// The scrollable's page column.
const ui::Widget& page_of(const ui::Widget& view) {
  auto* scroll = dynamic_cast<const ui::Scrollable*>(&view);
  EXPECT_NE(scroll, nullptr);
  return *scroll->child();
}

const ui::Card* card_titled(const ui::Widget& root, const std::string& title) {
  for (const ui::Card* card : ui::find_all<ui::Card>(root)) {
    if (card->title == title) return card;
  }
  return nullptr;
}

bool has_text(const ui::Widget& root, const std::string& text) {
  for (const auto& t : ui::texts(root)) {
    if (t == text) return true;
  }
  return false;
}

std::vector<std::string> button_ids(const ui::Widget& root) {
  std::vector<std::string> ids;
  for (const ui::Button* button : ui::find_all<ui::Button>(root)) ids.push_back(button->id);
  return ids;
}

app::ScannedPage page(std::uint32_t width, std::uint32_t height) {
  app::ScannedPage p;
  p.status_text = "Recognized 2 words.";
  p.language_name = "German";
  p.recognized_text = "Hallo Welt";
  p.pixels = std::make_shared<const std::vector<std::uint8_t>>(std::size_t{width} * height * 4);
  p.encoded_image = std::make_shared<const std::vector<std::uint8_t>>(1, 0);
  p.width = width;
  p.height = height;
  return p;
}

// Everything the view is built from, with the state's initial values.
struct Inputs {
  app::Snapshot snapshot{std::vector<devices::PrinterQueue>{}, std::vector<devices::PrintJob>{},
                         std::vector<devices::Scanner>{{"scanner0", "Studio scanner"},
                                                       {"scanner1", "Office scanner"}}};
  std::optional<std::string> selected_scanner = "scanner0";
  platform::Cell<std::size_t> resolution{1}, color{0}, source{0}, language{0};
  platform::Cell<app::CropSelection> crop{app::CropSelection{}};
  std::optional<app::ScannedPage> current;
  std::size_t index = 0;
  std::size_t count = 0;
  bool in_progress = false;
  std::optional<app::Notice> notice;
  std::pair<app::MessageSender, app::MessageReceiver> channel = platform::channel<app::Message>();

  ui::WidgetPtr build() {
    const ScanViewInput input{snapshot, selected_scanner, resolution, color, source,      language,
                              crop,     current,          index,      count, in_progress, notice};
    return scan_view(input, channel.first);
  }
  std::optional<app::Message> sent() { return channel.second.try_take(); }
};

TEST(SettingsFace, ShowsEveryPartInOrder) {
  Inputs in;
  auto view = in.build();
  const auto& page = page_of(*view);
  EXPECT_EQ(outline(page), (std::vector<std::string>{"Column", "gap 20", "card Current document",
                                                     "gap 16", "card Scanner", "gap 16",
                                                     "card Page settings", "gap 16", "Row"}));
  EXPECT_TRUE(has_text(page, "Scan a document"));
  EXPECT_TRUE(has_text(page, "Choose the scanner and how this page should look"));
  EXPECT_TRUE(has_text(page, "No pages captured yet"));
  EXPECT_TRUE(has_text(page, "Selected: Studio scanner"));
  EXPECT_TRUE(has_text(page, "Office scanner"));
  EXPECT_NE(ui::find_control(*view, "orvane.back"), nullptr);

  auto* start = dynamic_cast<ui::Button*>(ui::find_control(*view, "orvane.scan.start"));
  ASSERT_NE(start, nullptr);
  EXPECT_EQ(start->label, "Scan page");
  EXPECT_EQ(start->style, ui::ButtonStyle::PlainSecondary);
  auto* cancel = dynamic_cast<ui::Button*>(ui::find_control(*view, "orvane.scan.cancel"));
  ASSERT_NE(cancel, nullptr);
  EXPECT_EQ(cancel->label, "Cancel");
}

TEST(SettingsFace, PageSettingsAreFourGroupsBoundToTheirCells) {
  Inputs in;
  in.language.set(3);
  auto view = in.build();
  const ui::Card* settings = card_titled(*view, "Page settings");
  ASSERT_NE(settings, nullptr);
  EXPECT_EQ(outline(*settings->content),
            (std::vector<std::string>{"text Quality", "gap 6", "ToggleGroup", "gap 14",
                                      "text Appearance", "gap 6", "ToggleGroup", "gap 14",
                                      "text Paper source", "gap 6", "ToggleGroup", "gap 14",
                                      "text Text language", "gap 6", "ToggleGroup"}));
  struct Group {
    const char* id;
    std::vector<std::string> options;
    platform::Cell<std::size_t>& cell;
    std::size_t shown;
  };
  Group groups[] = {
      {"orvane.scan.resolution", {"150 dpi", "300 dpi", "600 dpi"}, in.resolution, 1},
      {"orvane.scan.color", {"Color", "Grayscale", "Text"}, in.color, 0},
      {"orvane.scan.source", {"Flatbed", "Feeder", "Two-sided"}, in.source, 0},
      {"orvane.scan.language", {"English", "Deutsch", "Français", "Español"}, in.language, 3},
  };
  for (Group& group : groups) {
    SCOPED_TRACE(group.id);
    auto* toggle = dynamic_cast<ui::ToggleGroup*>(ui::find_control(*view, group.id));
    ASSERT_NE(toggle, nullptr);
    EXPECT_EQ(toggle->options, group.options);
    EXPECT_EQ(toggle->selected.get(), group.shown);
    // Selecting by index (as the desktop's "select" does) writes the state's cell.
    EXPECT_TRUE(ui::select(*view, group.id, 2));
    EXPECT_EQ(group.cell.get(), 2u);
    EXPECT_FALSE(ui::select(*view, group.id, 9));
    EXPECT_EQ(group.cell.get(), 2u);
  }
}

TEST(SettingsFace, ButtonsSendTheirMessages) {
  Inputs in;
  auto view = in.build();
  ASSERT_TRUE(ui::invoke(*view, "orvane.scan.start"));
  EXPECT_EQ(in.sent(), app::Message{app::msg::StartScan{}});
  ASSERT_TRUE(ui::invoke(*view, "orvane.scan.cancel"));
  EXPECT_EQ(in.sent(), app::Message{app::msg::ReturnToDashboard{}});
  // Both scanner buttons share one id; each sends its own scanner.
  const auto devices = ui::find_all<ui::Button>(*view);
  std::vector<app::Message> sent;
  for (const ui::Button* button : devices) {
    if (button->id != "orvane.scan.device") continue;
    button->activate();
    sent.push_back(*in.sent());
  }
  EXPECT_EQ(sent, (std::vector<app::Message>{app::msg::SelectScanner{"scanner0"},
                                             app::msg::SelectScanner{"scanner1"}}));
}

TEST(SettingsFace, NoticeBannerFollowsTheHeader) {
  Inputs in;
  in.notice = app::Notice{"Could not scan this page", "Check the scanner.", false};
  auto view = in.build();
  const auto& page = page_of(*view);
  const auto parts = outline(page);
  ASSERT_GE(parts.size(), 5u);
  EXPECT_EQ(
      (std::vector<std::string>(parts.begin(), parts.begin() + 5)),
      (std::vector<std::string>{"Column", "gap 20", "banner", "gap 14", "card Current document"}));
  auto banners = ui::find_all<ui::Banner>(page);
  ASSERT_EQ(banners.size(), 1u);
  EXPECT_EQ(banners[0]->tone, ui::Tone::Error);
  EXPECT_EQ(banners[0]->title, "Could not scan this page");
}

TEST(SettingsFace, BottomRowFollowsScannerAndProgress) {
  struct Row {
    std::optional<std::string> selected;
    bool in_progress;
    bool start_shown;
    bool scanning_text;
  };
  const Row rows[] = {
      {"scanner0", false, true, false},
      {"scanner0", true, false, true},
      {std::nullopt, false, false, false},
      {std::nullopt, true, false, true},
  };
  for (const Row& row : rows) {
    Inputs in;
    in.selected_scanner = row.selected;
    in.in_progress = row.in_progress;
    auto view = in.build();
    SCOPED_TRACE(row.selected.value_or("none") + (row.in_progress ? " scanning" : ""));
    EXPECT_EQ(ui::find_control(*view, "orvane.scan.start") != nullptr, row.start_shown);
    EXPECT_EQ(has_text(*view, "Scanning page…"), row.scanning_text);
    EXPECT_NE(ui::find_control(*view, "orvane.scan.cancel"), nullptr);
  }
}

TEST(SettingsFace, ScannerCardForFailedAndEmptyLists) {
  Inputs failed;
  failed.snapshot.scanners = platform::err("sane exploded");
  auto view = failed.build();
  const ui::Card* scanner = card_titled(*view, "Scanner");
  ASSERT_NE(scanner, nullptr);
  EXPECT_TRUE(has_text(*scanner->content, "Scanners couldn't be checked"));
  EXPECT_FALSE(has_text(*view, "sane exploded"));
  EXPECT_EQ(ui::find_control(*view, "orvane.scan.device"), nullptr);
  EXPECT_NE(ui::find_control(*view, "orvane.service.retry"), nullptr);
  // A scanner chosen before the failure can still be used.
  EXPECT_NE(ui::find_control(*view, "orvane.scan.start"), nullptr);

  Inputs empty;
  empty.snapshot.scanners = std::vector<devices::Scanner>{};
  empty.selected_scanner.reset();
  view = empty.build();
  EXPECT_TRUE(has_text(
      *view,
      "No scanner is available. Check its cable or network connection, then refresh Orvane."));
  EXPECT_EQ(ui::find_control(*view, "orvane.scan.start"), nullptr);
}

TEST(SettingsFace, DocumentCardCountsPagesWithTheWordUnchanged) {
  for (std::size_t count : {1u, 3u}) {
    Inputs in;
    in.count = count;
    auto view = in.build();
    EXPECT_TRUE(
        has_text(*view, std::to_string(count) + " pages captured — new scans will be added"));
  }
}

TEST(ResultFace, ShowsThePageAndItsTools) {
  Inputs in;
  in.current = page(30, 40);
  in.count = 1;
  in.notice = app::Notice{"Scanned page saved", "Saved a.png.", true};
  auto view = in.build();
  const auto& column = page_of(*view);
  EXPECT_EQ(outline(column), (std::vector<std::string>{
                                 "Column", "gap 20", "banner", "gap 14", "Row", "gap 16", "Row",
                                 "gap 12", "card Pages in this document", "gap 12", "Row"}));
  for (const char* text :
       {"Scanned document", "Review the page before saving it", "Page 1 of 1", "Portrait page",
        "Reading text as German", "Recognized 2 words.", "Recognized text", "Hallo Welt",
        "Page tools", "Page 1 selected · 1 page total"}) {
    EXPECT_TRUE(has_text(*view, text)) << text;
  }
  EXPECT_EQ(button_ids(*view),
            (std::vector<std::string>{
                "orvane.back", "orvane.scan.save-document", "orvane.scan.again",
                "orvane.scan.rotate", "orvane.scan.apply-crop", "orvane.scan.copy-text",
                "orvane.scan.delete-page", "orvane.scan.save-page", "orvane.scan.done"}));
  auto* save = dynamic_cast<ui::Button*>(ui::find_control(*view, "orvane.scan.save-document"));
  EXPECT_EQ(save->style, ui::ButtonStyle::PlainSecondary);

  auto editors = ui::find_all<ui::ImageCropEditor>(*view);
  ASSERT_EQ(editors.size(), 1u);
  EXPECT_EQ(editors[0]->pixels, in.current->pixels);
  EXPECT_EQ(editors[0]->width, 30u);
  EXPECT_EQ(editors[0]->height, 40u);
  EXPECT_TRUE(editors[0]->selection.same_cell(in.crop));
  const auto boxes = ui::find_all<ui::Container>(*view);
  const auto holder = std::find_if(boxes.begin(), boxes.end(), [&](const ui::Container* box) {
    return box->child() == editors[0];
  });
  ASSERT_NE(holder, boxes.end());
  EXPECT_EQ((*holder)->width, 280);
  EXPECT_EQ((*holder)->height, 360);
}

TEST(ResultFace, EveryButtonSendsItsMessage) {
  Inputs in;
  in.current = page(10, 10);
  in.current->recognition_stale = true;
  in.index = 1;
  in.count = 3;
  auto view = in.build();
  const std::pair<const char*, app::Message> rows[] = {
      {"orvane.scan.save-document", app::msg::SaveScannedDocument{}},
      {"orvane.scan.again", app::msg::ScanAnotherPage{}},
      {"orvane.scan.rotate", app::msg::RotatePage{}},
      {"orvane.scan.apply-crop", app::msg::ApplyCrop{}},
      {"orvane.scan.recognize", app::msg::RecognizePage{}},
      {"orvane.scan.copy-text", app::msg::CopyRecognizedText{}},
      {"orvane.scan.previous", app::msg::PreviousPage{}},
      {"orvane.scan.next", app::msg::NextPage{}},
      {"orvane.scan.move-earlier", app::msg::MovePageEarlier{}},
      {"orvane.scan.move-later", app::msg::MovePageLater{}},
      {"orvane.scan.delete-page", app::msg::DeletePage{}},
      {"orvane.scan.save-page", app::msg::SaveScannedPage{}},
      {"orvane.scan.done", app::msg::ReturnToDashboard{}},
  };
  for (const auto& [id, message] : rows) {
    ASSERT_TRUE(ui::invoke(*view, id)) << id;
    EXPECT_EQ(in.sent(), message) << id;
  }
  const std::pair<const char*, const char*> labels[] = {
      {"orvane.scan.previous", "Previous page"},
      {"orvane.scan.next", "Next page"},
      {"orvane.scan.move-earlier", "Move before previous page"},
      {"orvane.scan.move-later", "Move after next page"},
      {"orvane.scan.delete-page", "Remove this page"},
      {"orvane.scan.recognize", "Update recognized text"},
      {"orvane.scan.save-page", "Export this page"},
      {"orvane.scan.done", "Back to Orvane"},
  };
  for (const auto& [id, label] : labels) {
    EXPECT_EQ(dynamic_cast<ui::Button*>(ui::find_control(*view, id))->label, label);
  }
  EXPECT_TRUE(has_text(*view, "Page 2 selected · 3 pages total"));
  EXPECT_TRUE(has_text(*view, "Page 2 of 3"));
}

TEST(ResultFace, PageListButtonsFollowThePosition) {
  struct Row {
    std::size_t index;
    std::size_t count;
    bool earlier;  // previous page and move before it
    bool later;    // next page and move after it
  };
  const Row rows[] = {
      {0, 1, false, false}, {0, 3, false, true}, {1, 3, true, true}, {2, 3, true, false}};
  for (const Row& row : rows) {
    Inputs in;
    in.current = page(10, 10);
    in.index = row.index;
    in.count = row.count;
    auto view = in.build();
    SCOPED_TRACE(std::to_string(row.index) + " of " + std::to_string(row.count));
    EXPECT_EQ(ui::find_control(*view, "orvane.scan.previous") != nullptr, row.earlier);
    EXPECT_EQ(ui::find_control(*view, "orvane.scan.move-earlier") != nullptr, row.earlier);
    EXPECT_EQ(ui::find_control(*view, "orvane.scan.next") != nullptr, row.later);
    EXPECT_EQ(ui::find_control(*view, "orvane.scan.move-later") != nullptr, row.later);
    EXPECT_NE(ui::find_control(*view, "orvane.scan.delete-page"), nullptr);
  }
}

TEST(ResultFace, OrientationAndRecognitionStates) {
  Inputs landscape;
  landscape.current = page(41, 40);
  landscape.count = 1;
  EXPECT_TRUE(has_text(*landscape.build(), "Landscape page"));

  Inputs square;
  square.current = page(40, 40);
  square.count = 1;
  EXPECT_TRUE(has_text(*square.build(), "Portrait page"));

  // Running wins over stale: the update button is replaced by the note.
  Inputs running;
  running.current = page(10, 10);
  running.current->recognition_stale = true;
  running.current->recognition_running = true;
  running.count = 1;
  auto view = running.build();
  EXPECT_TRUE(has_text(*view, "Updating recognized text…"));
  EXPECT_EQ(ui::find_control(*view, "orvane.scan.recognize"), nullptr);

  Inputs fresh;
  fresh.current = page(10, 10);
  fresh.count = 1;
  view = fresh.build();
  EXPECT_EQ(ui::find_control(*view, "orvane.scan.recognize"), nullptr);
  EXPECT_FALSE(has_text(*view, "Updating recognized text…"));
}

TEST(ResultFace, RecognizedTextCardAndCopyButton) {
  struct Row {
    std::optional<std::string> text;
    bool card;
    bool copy;
  };
  const Row rows[] = {
      {std::nullopt, false, false},
      {" \t\n", false, false},
      {"\u00a0\u3000 ", false, false},  // no-break and ideographic spaces
      {std::string(320, ' ') + "late words", false, true},
      {"Invoice 42", true, true},
  };
  for (const Row& row : rows) {
    Inputs in;
    in.current = page(10, 10);
    in.current->recognized_text = row.text;
    in.count = 1;
    auto view = in.build();
    SCOPED_TRACE(row.text.value_or("(none)"));
    EXPECT_EQ(card_titled(*view, "Recognized text") != nullptr, row.card);
    EXPECT_EQ(ui::find_control(*view, "orvane.scan.copy-text") != nullptr, row.copy);
  }
}

TEST(ResultFace, RecognizedTextShowsItsFirst320Characters) {
  Inputs in;
  in.current = page(10, 10);
  // Two-byte characters: the cut counts characters, not bytes.
  std::string text;
  for (int i = 0; i < 400; ++i) text += "é";
  in.current->recognized_text = text;
  in.count = 1;
  auto view = in.build();
  const ui::Card* card = card_titled(*view, "Recognized text");
  ASSERT_NE(card, nullptr);
  auto* shown = dynamic_cast<const ui::Text*>(card->content.get());
  ASSERT_NE(shown, nullptr);
  EXPECT_EQ(shown->text, text.substr(0, 640));
}

}  // namespace
}  // namespace scan
