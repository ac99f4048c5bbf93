#include "window/view.h"

namespace calc {
namespace {
window_backend* current_window = nullptr;
}

void install_window(window_backend* backend) { current_window = backend; }
window_backend* installed_window() { return current_window; }

text read_caption(control label) { return current_window->caption(label); }

void write_caption(control label, const text& caption) { current_window->set_caption(label, caption); }

void write_title(const text& title) { current_window->set_title(title); }

std::int32_t read_top(control label) { return current_window->top(label); }

void write_top(control label, std::int32_t top) {
  if (top > top_limit) top = top_limit;
  if (top < -top_limit) top = -top_limit;
  current_window->set_top(label, top);
}

void write_period(control timer, std::int32_t period) {
  if (period < 0) period = 0;
  if (period == current_window->period(timer)) return;
  current_window->restart_timer(timer, period);
}

}  // namespace calc
