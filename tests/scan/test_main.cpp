#include <gtest/gtest.h>

#include <QGuiApplication>
#include <cstdlib>

// Drawing text for the recognition tests needs fonts, which need a
// QGuiApplication; offscreen needs no display.
int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  // The engine runs single-threaded: OpenMP oversubscribes two cores.
  setenv("OMP_THREAD_LIMIT", "1", 0);
  testing::InitGoogleTest(&argc, argv);
  QGuiApplication application(argc, argv);
  return RUN_ALL_TESTS();
}
