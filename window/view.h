// The view operations: the only way the window logic reads and changes the
// window. A backend (the Qt window, the Win32 window, the in-memory window of
// the tests) provides the primitives; the semantics shared by all of them,
// clamping and the timer rules, live in the operations themselves.
#pragma once

#include <cstdint>

#include "notation/text.h"
#include "window/description.h"

namespace calc {

class window_backend {
 public:
  virtual ~window_backend() = default;
  virtual text caption(control label) = 0;
  // Makes the text the caption and marks the label for repainting; nothing is drawn yet.
  virtual void set_caption(control label, const text& caption) = 0;
  virtual void set_title(const text& title) = 0;
  virtual std::int32_t top(control label) = 0;
  virtual void set_top(control label, std::int32_t top) = 0;
  virtual std::int32_t period(control timer) = 0;
  // Stops the timer and, for a positive period, starts a new countdown now.
  virtual void restart_timer(control timer, std::int32_t period) = 0;
};

// The window the operations act on; there is only one.
void install_window(window_backend* backend);
window_backend* installed_window();

constexpr std::int32_t top_limit = 32627;

text read_caption(control label);
void write_caption(control label, const text& caption);
void write_title(const text& title);
std::int32_t read_top(control label);
// Clamps to -top_limit..top_limit.
void write_top(control label, std::int32_t top);
// A negative period counts as 0; the current period changes nothing (a running
// countdown goes on); another period restarts the countdown, 0 stops it.
void write_period(control timer, std::int32_t period);

}  // namespace calc
