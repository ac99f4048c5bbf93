// The Windows entry point: everything else happens in start_program.
#include <windows.h>

#include "window/program.h"
#include "window/win32/win32_window.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show_command) {
  calc::win32_window window(instance, show_command);
  return calc::start_program(window);
}
