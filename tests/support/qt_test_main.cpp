// The main of window tests: the offscreen platform is forced before the
// QApplication exists, so tests (and GoogleTest's discovery at build time)
// run on machines without a display.
#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
