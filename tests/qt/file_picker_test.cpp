// The file dialog answers on the request's receiver without blocking.

#include <gtest/gtest.h>
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QPointer>
#include <QTemporaryDir>
#include <thread>

#include "qt/file_picker.hpp"
#include "tree.hpp"

namespace qthost {
namespace {

using namespace qthost::testing;
using platform::PickOutcome;
using platform::RecvStatus;

QFileDialog* open_dialog() {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (auto* dialog = qobject_cast<QFileDialog*>(widget); dialog && dialog->isVisible()) {
      return dialog;
    }
  }
  return nullptr;
}

platform::PickRequest document_request() {
  platform::PickRequest request;
  request.thread_name = "orvane-document-picker";
  request.title = "Choose a document to print";
  request.accept_label = "Print";
  request.filters = {
      {"Documents and images", {"application/pdf", "image/png", "image/jpeg", "text/plain"}, {}},
      {"All files", {}, {}}};
  return request;
}

// Waits for the outcome while the event loop runs.
platform::TryRecv<PickOutcome> outcome_of(platform::Receiver<PickOutcome>& receiver) {
  platform::TryRecv<PickOutcome> result;
  wait_until([&] {
    result = receiver.try_recv();
    return result.status != RecvStatus::Empty;
  });
  return result;
}

TEST(FilePicker, OpeningAcceptsAnExistingFileWithoutBlocking) {
  QTemporaryDir dir;
  const QString path = dir.filePath("report.pdf");
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("%PDF-1.4\n");
  file.close();

  QtFilePicker picker;
  auto receiver = picker.pick(document_request());
  ASSERT_TRUE(receiver);
  EXPECT_EQ(receiver.try_recv().status, RecvStatus::Empty);  // pick() returned at once

  QFileDialog* dialog = open_dialog();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(dialog->windowTitle(), "Choose a document to print");
  EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptOpen);
  EXPECT_EQ(dialog->fileMode(), QFileDialog::ExistingFile);
  EXPECT_EQ(dialog->labelText(QFileDialog::Accept), "Print");
  EXPECT_EQ(dialog->nameFilters().size(), 2);
  EXPECT_FALSE(dialog->isModal());

  dialog->selectFile(path);
  static_cast<QDialog*>(dialog)->accept();
  auto result = outcome_of(receiver);
  ASSERT_EQ(result.status, RecvStatus::Value);
  ASSERT_TRUE(std::holds_alternative<platform::PickedPath>(*result.value));
  EXPECT_EQ(std::get<platform::PickedPath>(*result.value).path, path.toStdString());
  // Exactly one outcome: then the dialog goes and the channel closes.
  EXPECT_EQ(outcome_of(receiver).status, RecvStatus::Disconnected);
}

TEST(FilePicker, CancellingIsAnOutcomeNotAFailure) {
  QtFilePicker picker;
  auto receiver = picker.pick(document_request());
  QFileDialog* dialog = open_dialog();
  ASSERT_NE(dialog, nullptr);
  dialog->reject();
  auto result = outcome_of(receiver);
  ASSERT_EQ(result.status, RecvStatus::Value);
  EXPECT_TRUE(std::holds_alternative<platform::PickCancelled>(*result.value));
}

TEST(FilePicker, ADialogThatGoesAwayWithoutAnAnswerClosesTheChannel) {
  QtFilePicker picker;
  auto receiver = picker.pick(document_request());
  QPointer<QFileDialog> dialog = open_dialog();
  ASSERT_TRUE(dialog);
  delete dialog.data();
  EXPECT_EQ(outcome_of(receiver).status, RecvStatus::Disconnected);
}

TEST(FilePicker, SavingSuggestsTheNameAndAcceptsANewPath) {
  QTemporaryDir dir;
  platform::PickRequest request;
  request.thread_name = "orvane-scan-save-picker";
  request.mode = platform::PickMode::Save;
  request.title = "Save scanned page";
  request.accept_label = "Save";
  request.suggested_name = "scanned-page-1.png";

  QtFilePicker picker;
  auto receiver = picker.pick(request);
  QFileDialog* dialog = open_dialog();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptSave);
  ASSERT_FALSE(dialog->selectedFiles().isEmpty());
  EXPECT_TRUE(dialog->selectedFiles().front().endsWith("scanned-page-1.png"));

  const QString target = dir.filePath("page.png");
  dialog->selectFile(target);
  static_cast<QDialog*>(dialog)->accept();
  auto result = outcome_of(receiver);
  ASSERT_EQ(result.status, RecvStatus::Value);
  ASSERT_TRUE(std::holds_alternative<platform::PickedPath>(*result.value));
  EXPECT_EQ(std::get<platform::PickedPath>(*result.value).path, target.toStdString());
}

TEST(FilePicker, ARequestFromAnotherThreadOpensOnTheGuiThread) {
  QtFilePicker picker;
  platform::Receiver<PickOutcome> receiver;
  std::thread requester([&] { receiver = picker.pick(document_request()); });
  requester.join();
  ASSERT_TRUE(receiver);
  QFileDialog* dialog = nullptr;
  ASSERT_TRUE(wait_until([&] { return (dialog = open_dialog()) != nullptr; }));
  EXPECT_EQ(dialog->thread(), QApplication::instance()->thread());
  dialog->reject();
  auto result = outcome_of(receiver);
  ASSERT_EQ(result.status, RecvStatus::Value);
  EXPECT_TRUE(std::holds_alternative<platform::PickCancelled>(*result.value));
}

TEST(FilePicker, FiltersListTheirPatterns) {
  const QStringList lines = name_filters(
      {{"Documents and images", {"application/pdf", "image/png", "no/such-type"}, {"*.txt"}},
       {"All files", {}, {}},
       {"Nothing known", {"no/such-type"}, {}}});
  ASSERT_EQ(lines.size(), 2);
  EXPECT_TRUE(lines[0].startsWith("Documents and images ("));
  EXPECT_TRUE(lines[0].contains("*.pdf"));
  EXPECT_TRUE(lines[0].contains("*.png"));
  EXPECT_TRUE(lines[0].contains("*.txt"));
  EXPECT_EQ(lines[1], "All files (*)");
}

}  // namespace
}  // namespace qthost
