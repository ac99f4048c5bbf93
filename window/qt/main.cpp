// The calculator on Qt: the platform hands over to the program's start-up.
#include "window/qt/qt_window.h"

int main() {
  calc::qt_platform platform;
  return calc::start_program(platform);
}
