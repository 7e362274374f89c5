// Copying text reaches the system clipboard, also from a worker thread.

#include <gtest/gtest.h>
#include <QApplication>
#include <QClipboard>
#include <thread>

#include "qt/clipboard.hpp"
#include "tree.hpp"

namespace qthost {
namespace {

TEST(Clipboard, CopiesTextFromTheGuiThreadAndFromWorkers) {
  QtClipboard clipboard;
  ASSERT_TRUE(clipboard.copy_text("Invoice 42 — März"));
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QString::fromUtf8("Invoice 42 — März"));

  bool copied = false;
  std::thread worker([&] { copied = clipboard.copy_text("from a worker"); });
  worker.join();
  EXPECT_TRUE(copied);
  EXPECT_TRUE(
      testing::wait_until([] { return QGuiApplication::clipboard()->text() == "from a worker"; }));
}

}  // namespace
}  // namespace qthost
