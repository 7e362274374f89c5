// One QApplication for every test, on the offscreen platform so the tests
// need no display.

#include <gtest/gtest.h>
#include <QApplication>
#include <cstdlib>

namespace {

QtMessageHandler default_handler = nullptr;

// The offscreen platform warns that it cannot size real windows; that says
// nothing about the code under test.
void quiet_offscreen_notes(QtMsgType type, const QMessageLogContext& context,
                           const QString& message) {
  if (message.contains(QStringLiteral("propagateSizeHints"))) return;
  if (default_handler) default_handler(type, context, message);
}

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  default_handler = qInstallMessageHandler(quiet_offscreen_notes);
  testing::InitGoogleTest(&argc, argv);
  QApplication application(argc, argv);
  return RUN_ALL_TESTS();
}
