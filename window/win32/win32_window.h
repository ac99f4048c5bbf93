// The calculator window on the plain Win32 API: a top-level window whose
// labels are child windows painted by the program, the strip's label a child
// of its panel, and the timers as window timers.
#pragma once

#include <windows.h>

#include <array>
#include <string>

#include "window/program.h"
#include "window/view.h"

namespace calc {

class win32_window : public window_backend, public window_platform {
 public:
  win32_window(HINSTANCE instance, int show_command);
  ~win32_window() override;
  win32_window(const win32_window&) = delete;
  win32_window& operator=(const win32_window&) = delete;

  // window_platform
  bool initialise_services() override;
  bool load_window() override;
  void run_event_loop() override;

  // window_backend
  text caption(control label) override;
  void set_caption(control label, const text& caption) override;
  void set_title(const text& title) override;
  std::int32_t top(control label) override;
  void set_top(control label, std::int32_t top) override;
  std::int32_t period(control timer) override;
  void restart_timer(control timer, std::int32_t period) override;

 private:
  struct control_state {
    HWND hwnd = nullptr;
    HFONT font = nullptr;
    text caption;          // GBK, exactly as written
    std::wstring shown;    // the caption as drawn
    std::int32_t top = 0;  // kept here too, so that a read gives back what was written
    std::int32_t period = 0;
  };
  control_state& state(control c) { return controls_[static_cast<std::size_t>(c)]; }
  bool create_control(const control_description& d);
  void paint_label(HWND hwnd, control label);

  static LRESULT CALLBACK window_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  static LRESULT CALLBACK label_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

  HINSTANCE instance_;
  int show_command_;
  HWND main_ = nullptr;
  HICON icon_ = nullptr, small_icon_ = nullptr;
  std::wstring default_face_;
  std::array<control_state, control_count> controls_;
};

}  // namespace calc
