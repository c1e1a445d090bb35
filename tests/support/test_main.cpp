#include <gtest/gtest.h>

#include <QApplication>

#include "platform/ui/Looks.h"

// Widgets need an application object; CTest runs every test on the offscreen platform.
int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  // A board that closes in a test must not end the application the other tests run in.
  QApplication::setQuitOnLastWindowClosed(false);
  installFontSubstitutes();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
