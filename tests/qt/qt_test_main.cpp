// Brings up the Qt platform once, on the offscreen platform unless another
// one is asked for, then runs the tests.
#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/qt/qt_test_support.h"

namespace calc {
namespace {
qt_platform* current_platform = nullptr;
}
qt_platform& test_platform() {
  return *current_platform;
}
}  // namespace calc

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  testing::InitGoogleTest(&argc, argv);
  // Death tests run in a fresh copy of this program, not a fork of a process with Qt running.
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  // Torn down before the program's statics, as in the calculator itself.
  calc::qt_platform platform;
  calc::current_platform = &platform;
  platform.initialise_services();
  const int status = RUN_ALL_TESTS();
  calc::current_platform = nullptr;
  return status;
}
