#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <QBuffer>
#include <QImageWriter>

#include "platform/worker.hpp"
#include "scan/deferred_png.hpp"
#include "scan/save.hpp"
#include "scan_fixture.hpp"
#include "temp_folder.hpp"

namespace scan {
namespace {

using scantest::Fixture;
using scantest::mode_of;
using scantest::names_in;
using scantest::read_bytes;
using scantest::TempFolder;

const app::Notice kPageFailed{"Could not save scanned page",
                              "Choose another location and try again.", false};
const app::Notice kDocumentFailed{"Could not save scanned document",
                                  "Choose another location and try again.", false};

TEST(SaveRequests, PickerRequestsOfBothKinds) {
  const auto page = save_picker_request(app::SaveKind::Page);
  EXPECT_EQ(page.mode, platform::PickMode::Save);
  EXPECT_EQ(page.title, "Save scanned page");
  EXPECT_EQ(page.accept_label, "Save");
  EXPECT_EQ(page.suggested_name, "Scanned page.png");
  EXPECT_EQ(page.thread_name, "orvane-scan-save-picker");
  EXPECT_TRUE(page.filters.empty());
  const auto document = save_picker_request(app::SaveKind::Document);
  EXPECT_EQ(document.mode, platform::PickMode::Save);
  EXPECT_EQ(document.title, "Save scanned document");
  EXPECT_EQ(document.accept_label, "Save");
  EXPECT_EQ(document.suggested_name, "Scanned document.pdf");
  EXPECT_EQ(document.thread_name, "orvane-scan-document-save-picker");
  EXPECT_TRUE(document.filters.empty());
}

TEST(SaveRequests, DestinationAndShownName) {
  struct Row {
    const char* picked;
    app::SaveKind kind;
    const char* destination;
  };
  const Row rows[] = {
      {"/home/a/scan", app::SaveKind::Page, "/home/a/scan.png"},
      {"/home/a/scan", app::SaveKind::Document, "/home/a/scan.pdf"},
      {"/home/a/scan.pdf", app::SaveKind::Page, "/home/a/scan.pdf"},
      {"/home/a/scan.tar.gz", app::SaveKind::Document, "/home/a/scan.tar.gz"},
      {"/home/a.b/scan", app::SaveKind::Page, "/home/a.b/scan.png"},
      {"/home/a/.hidden", app::SaveKind::Document, "/home/a/.hidden.pdf"},
      {"relative", app::SaveKind::Document, "relative.pdf"},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(destination_path(row.picked, row.kind), row.destination) << row.picked;
  }
  EXPECT_EQ(shown_name("/home/a/Scan résumé.pdf"), "Scan résumé.pdf");
  EXPECT_EQ(shown_name("/home/a/\xff\xfe.png"), "the page");
  EXPECT_EQ(shown_name("/home/a/\xed\xa0\x80.png"), "the page");  // a lone surrogate
}

struct Saving : Fixture {
  TempFolder folder;

  void SetUpDocument(int pages) {
    open_scan();
    for (int i = 0; i < pages; ++i) {
      if (state().current_page_view) dispatch(app::msg::ScanAnotherPage{});
      scan_page();
    }
  }
  // Picks `path` in the open picker and waits for the save's notice.
  app::Notice pick(const std::string& path) {
    picker->answer(platform::PickedPath{path});
    EXPECT_TRUE(pump_until([&] { return !state().save_picker; }));
    state().notice.reset();
    EXPECT_TRUE(pump_until([&] { return state().notice.has_value(); }));
    return state().notice.value_or(app::Notice{});
  }
};

TEST(SavePage, WritesTheScannerBytesAsTheyCame) {
  Saving s;
  // A scanner that delivers BMP: export keeps its bytes, whatever the name.
  QImage image(6, 4, QImage::Format_RGB32);
  image.fill(Qt::darkCyan);
  QByteArray bmp;
  QBuffer buffer(&bmp);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter(&buffer, "bmp").write(image);
  s.service->scanned_image.assign(bmp.begin(), bmp.end());
  s.SetUpDocument(1);

  s.press("orvane.scan.save-page");
  ASSERT_EQ(s.picker->requests().size(), 1u);
  EXPECT_EQ(s.picker->requests()[0].title, "Save scanned page");
  EXPECT_EQ(s.state().save_kind, app::SaveKind::Page);
  // Asking again while the picker is open does nothing, for both kinds.
  s.press("orvane.scan.save-page");
  s.press("orvane.scan.save-document");
  EXPECT_EQ(s.picker->requests().size(), 1u);

  platform::clear_started_workers();
  EXPECT_EQ(s.pick(s.folder / "scan"),
            (app::Notice{"Scanned page saved", "Saved scan.png.", true}));
  EXPECT_EQ(read_bytes(s.folder / "scan.png"), s.service->scanned_image);
  EXPECT_EQ(mode_of(s.folder / "scan.png"), 0600u);
  EXPECT_EQ(names_in(s.folder.path()), std::vector<std::string>{"scan.png"});
  const auto workers = platform::started_workers();
  EXPECT_NE(std::find(workers.begin(), workers.end(), "qiro-save-scanned-page"), workers.end());
  // The notice arrives while the page is under review: the scan view shows it.
  EXPECT_TRUE(s.shows("Scanned page saved"));
  EXPECT_FALSE(s.state().refresh_receiver);

  // A name with any extension is used as it is, even ".pdf" for a page.
  s.press("orvane.scan.save-page");
  EXPECT_EQ(s.pick(s.folder / "page.pdf"),
            (app::Notice{"Scanned page saved", "Saved page.pdf.", true}));
  EXPECT_EQ(read_bytes(s.folder / "page.pdf"), s.service->scanned_image);
}

TEST(SavePage, AfterRotationWritesThePngOfTheNewPixels) {
  Saving s;
  s.SetUpDocument(1);
  s.press("orvane.scan.rotate");
  const app::ScannedPage page = s.state().scanned_pages[0];
  s.press("orvane.scan.save-page");
  EXPECT_EQ(s.pick(s.folder / "turned.png").succeeded, true);
  const auto written = read_bytes(s.folder / "turned.png");
  EXPECT_EQ(written, *resolve_encoded_image(page.encoded_image).value());
  EXPECT_EQ(to_rgba(decode_image(written).value()), (RgbaImage{30, 40, *page.pixels}));
}

TEST(SavePage, ReplacingAFileKeepsItsModeAndInvalidNamesReadAsThePage) {
  Saving s;
  s.SetUpDocument(1);
  const std::string target = s.folder / "\xff-scan.png";
  scantest::write_bytes(target, "older and longer content than nothing");
  ::chmod(target.c_str(), 0644);
  s.press("orvane.scan.save-page");
  EXPECT_EQ(s.pick(target), (app::Notice{"Scanned page saved", "Saved the page.", true}));
  EXPECT_EQ(read_bytes(target), s.service->scanned_image);
  EXPECT_EQ(mode_of(target), 0644u);
  EXPECT_EQ(names_in(s.folder.path()).size(), 1u);
}

TEST(SavePage, CancellingShowsNothingAndAllowsANewSave) {
  Saving s;
  s.SetUpDocument(1);
  s.press("orvane.scan.save-page");
  const ui::Widget* view = s.state().content.get();
  s.picker->answer(platform::PickCancelled{});
  ASSERT_TRUE(s.pump_until([&] { return !s.state().save_picker; }));
  EXPECT_FALSE(s.state().notice);
  EXPECT_EQ(s.state().content.get(), view);
  s.press("orvane.scan.save-document");
  EXPECT_EQ(s.picker->requests().size(), 2u);
  EXPECT_EQ(s.state().save_kind, app::SaveKind::Document);
}

TEST(SaveRequests, NothingToSaveOpensNoPicker) {
  Fixture f;
  f.open_scan();
  f.dispatch(app::msg::SaveScannedPage{});
  f.dispatch(app::msg::SaveScannedDocument{});
  EXPECT_TRUE(f.picker->requests().empty());
  EXPECT_FALSE(f.state().save_picker);
  // Pages but none under review: only the document can be saved.
  f.scan_page();
  f.dispatch(app::msg::ScanAnotherPage{});
  f.dispatch(app::msg::SaveScannedPage{});
  EXPECT_TRUE(f.picker->requests().empty());
  f.dispatch(app::msg::SaveScannedDocument{});
  EXPECT_EQ(f.picker->requests().size(), 1u);
}

TEST(SaveDocument, WritesOneSearchablePdfOfAllPages) {
  Saving s;
  s.SetUpDocument(3);
  s.press("orvane.scan.save-document");
  EXPECT_EQ(s.picker->requests().back().title, "Save scanned document");
  EXPECT_EQ(s.pick(s.folder / "Receipts"),
            (app::Notice{"Scanned document saved", "Saved Receipts.pdf.", true}));
  const std::string pdf = s.folder / "Receipts.pdf";
  EXPECT_EQ(mode_of(pdf), 0600u);
  const auto check = scantest::run_command("qpdf --check '" + pdf + "'");
  EXPECT_EQ(check.status, 0) << check.output;
  const auto pages = scantest::run_command("qpdf --show-npages '" + pdf + "'");
  EXPECT_EQ(pages.output, "3\n");
}

TEST(SaveFaults, VanishedFolder) {
  Saving s;
  s.SetUpDocument(1);
  const std::filesystem::path gone = s.folder.path() / "gone";
  std::filesystem::create_directory(gone);
  s.press("orvane.scan.save-document");
  std::filesystem::remove(gone);
  EXPECT_EQ(s.pick((gone / "doc.pdf").string()), kDocumentFailed);
  EXPECT_TRUE(s.shows("Could not save scanned document"));
  EXPECT_FALSE(std::filesystem::exists(gone));
}

// The save worker's one message, run right here.
app::Notice save_now(const std::string& path, const SaveContent& content) {
  auto [sender, receiver] = platform::channel<app::Message>();
  save_worker(sender, path, content);
  auto message = receiver.try_take();
  if (!message) return {};
  return std::get<app::msg::OperationFinished>(*message).notice;
}

SaveContent page_bytes(std::size_t size) {
  SaveContent content;
  content.kind = app::SaveKind::Page;
  content.encoded_image = std::make_shared<const std::vector<std::uint8_t>>(size, 0x42);
  return content;
}

// Root ignores folder permissions: the check runs as nobody.
void drop_privileges_if_root() {
  if (::geteuid() != 0) return;
  if (::setgid(65534) != 0 || ::setuid(65534) != 0) std::_Exit(3);
}

// Child processes: each exits with 0 when the save failed as it should.
[[noreturn]] void save_into_read_only_folder(const std::filesystem::path& locked) {
  drop_privileges_if_root();
  const bool page_failed =
      save_now((locked / "scan.png").string(), page_bytes(1000)) == kPageFailed;
  const SaveContent document{app::SaveKind::Document, nullptr, {}};
  const bool document_failed = save_now((locked / "doc.pdf").string(), document) == kDocumentFailed;
  std::_Exit(page_failed && document_failed ? 0 : 1);
}

[[noreturn]] void save_onto_full_disk(const std::filesystem::path& target) {
  // Past 64 KiB every write fails as on a full disk.
  ::signal(SIGXFSZ, SIG_IGN);
  const rlimit limit{64 * 1024, 64 * 1024};
  ::setrlimit(RLIMIT_FSIZE, &limit);
  std::_Exit(save_now(target.string(), page_bytes(1 << 20)) == kPageFailed ? 0 : 1);
}

// The children share this process's folders, so the checks below see what
// they left behind.
class SaveFaultsInChild : public testing::Test {
 protected:
  void SetUp() override { GTEST_FLAG_SET(death_test_style, "fast"); }
};

TEST_F(SaveFaultsInChild, ReadOnlyFolderLeavesTheOldFile) {
  TempFolder folder;
  const std::filesystem::path locked = folder.path() / "locked";
  std::filesystem::create_directory(locked);
  scantest::write_bytes(locked / "scan.png", "old");
  ::chmod((locked / "scan.png").c_str(), 0666);
  ::chmod(locked.c_str(), 0555);
  EXPECT_EXIT(save_into_read_only_folder(locked), testing::ExitedWithCode(0), "");
  EXPECT_EQ(names_in(locked), std::vector<std::string>{"scan.png"});
  EXPECT_EQ(read_bytes(locked / "scan.png"), (std::vector<std::uint8_t>{'o', 'l', 'd'}));
}

TEST_F(SaveFaultsInChild, FullDiskLeavesTheOldFileAndNoTemporary) {
  TempFolder folder;
  const std::filesystem::path target = folder.path() / "scan.png";
  scantest::write_bytes(target, "previous scan");
  EXPECT_EXIT(save_onto_full_disk(target), testing::ExitedWithCode(0), "");
  EXPECT_EQ(names_in(folder.path()), std::vector<std::string>{"scan.png"});
  EXPECT_EQ(read_bytes(target).size(), std::string("previous scan").size());
}

TEST(SaveFaults, NothingToWriteSendsNothing) {
  TempFolder folder;
  auto [sender, receiver] = platform::channel<app::Message>();
  save_worker(sender, folder / "empty.png", page_bytes(0));
  EXPECT_FALSE(receiver.try_take());
  EXPECT_TRUE(names_in(folder.path()).empty());
}

}  // namespace
}  // namespace scan
