// Drawing text needs a QGuiApplication, which needs a platform; the offscreen
// one works without a display. Every temporary file of the engine lands in a
// private directory that the tests can watch.

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <cstdlib>
#include <filesystem>

int main(int argc, char** argv) {
  ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  char pattern[] = "/tmp/orvane-ocr-tests.XXXXXX";
  const char* directory = ::mkdtemp(pattern);
  if (directory == nullptr) return 1;
  ::setenv("TMPDIR", directory, 1);
  QGuiApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  const int status = RUN_ALL_TESTS();
  std::error_code ignored;
  std::filesystem::remove_all(directory, ignored);
  return status;
}
