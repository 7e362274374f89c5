#include "qt/file_picker.hpp"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QMimeDatabase>
#include <QThread>
#include <memory>

#include "qt/host_window.hpp"

namespace qthost {
namespace {

QString qstr(const std::string& text) { return QString::fromStdString(text); }

// Lives as a child of the dialog, so the sender goes when the dialog goes.
class OutcomeSender final : public QObject {
 public:
  OutcomeSender(platform::Sender<platform::PickOutcome> sender, QObject* parent)
      : QObject(parent), sender_(std::move(sender)) {}

  void send(platform::PickOutcome outcome) {
    if (!sender_) return;
    sender_.send(std::move(outcome));
    sender_ = platform::Sender<platform::PickOutcome>();
  }

 private:
  platform::Sender<platform::PickOutcome> sender_;
};

}  // namespace

QStringList name_filters(const std::vector<platform::FileFilter>& filters) {
  QStringList lines;
  QMimeDatabase mime_types;
  for (const auto& filter : filters) {
    QStringList patterns;
    for (const auto& pattern : filter.patterns) patterns << qstr(pattern);
    for (const auto& name : filter.mime_types) {
      const QMimeType type = mime_types.mimeTypeForName(qstr(name));
      if (type.isValid()) patterns << type.globPatterns();
    }
    if (filter.patterns.empty() && filter.mime_types.empty()) patterns << QStringLiteral("*");
    patterns.removeDuplicates();
    if (patterns.isEmpty()) continue;
    lines << QStringLiteral("%1 (%2)").arg(qstr(filter.name), patterns.join(QLatin1Char(' ')));
  }
  return lines;
}

QFileDialog* open_file_dialog(const platform::PickRequest& request,
                              platform::Sender<platform::PickOutcome> sender) {
  auto* dialog = new QFileDialog(current_host_window(), qstr(request.title));
  dialog->setWindowModality(Qt::NonModal);
  const bool save = request.mode == platform::PickMode::Save;
  dialog->setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog->setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  if (!request.accept_label.empty()) {
    dialog->setLabelText(QFileDialog::Accept, qstr(request.accept_label));
  }
  const QStringList filters = name_filters(request.filters);
  if (!filters.isEmpty()) dialog->setNameFilters(filters);
  if (save && !request.suggested_name.empty()) dialog->selectFile(qstr(request.suggested_name));

  auto* outcome = new OutcomeSender(std::move(sender), dialog);
  QObject::connect(dialog, &QDialog::finished, dialog, [dialog, outcome](int result) {
    const QStringList chosen = dialog->selectedFiles();
    if (result == QDialog::Accepted && !chosen.isEmpty() && !chosen.front().isEmpty()) {
      outcome->send(platform::PickedPath{QFile::encodeName(chosen.front()).toStdString()});
    } else {
      outcome->send(platform::PickCancelled{});
    }
    dialog->deleteLater();
  });
  dialog->show();
  return dialog;
}

platform::Receiver<platform::PickOutcome> QtFilePicker::pick(const platform::PickRequest& request) {
  QCoreApplication* application = QCoreApplication::instance();
  if (!qobject_cast<QApplication*>(application)) return {};
  auto [sender, receiver] = platform::oneshot<platform::PickOutcome>();
  if (QThread::currentThread() == application->thread()) {
    open_file_dialog(request, std::move(sender));
  } else {
    auto pending = std::make_shared<platform::Sender<platform::PickOutcome>>(std::move(sender));
    QMetaObject::invokeMethod(
        application, [request, pending] { open_file_dialog(request, std::move(*pending)); },
        Qt::QueuedConnection);
  }
  return std::move(receiver);
}

}  // namespace qthost
