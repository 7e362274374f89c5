#include "qt/clipboard.hpp"

#include <QClipboard>
#include <QGuiApplication>
#include <QThread>

namespace qthost {

bool QtClipboard::copy_text(const std::string& text) {
  auto* application = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
  if (!application) return false;
  const QString copied = QString::fromStdString(text);
  if (QThread::currentThread() == application->thread()) {
    QGuiApplication::clipboard()->setText(copied);
  } else {
    QMetaObject::invokeMethod(
        application, [copied] { QGuiApplication::clipboard()->setText(copied); },
        Qt::QueuedConnection);
  }
  return true;
}

}  // namespace qthost
