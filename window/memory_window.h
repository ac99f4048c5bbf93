// An in-memory calculator window with a clock that the caller advances: the
// same handlers run on it as on the real window, deterministically.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "notation/text.h"
#include "window/program.h"
#include "window/view.h"

namespace calc {

struct memory_clipboard {
  bool can_open = true;
  bool holds_text = false;
  text contents;
  // Installs this clipboard as the one copy_to_clipboard writes to.
  void install();
};

struct tick_record {
  std::int64_t time;
  control timer;
};

class memory_window : public window_backend, public window_platform {
 public:
  memory_window();
  ~memory_window() override;

  // Builds the window from its description, raises the window-created event
  // and shows the window: the same steps as the real window.
  bool initialise_services() override { return true; }
  bool load_window() override;
  void run_event_loop() override {}

  // Events, each handled to completion and followed by a repaint.
  void press_key(std::int32_t key_code, std::int32_t modifier_state = 0);
  // Lets time pass, delivering the ticks that fall due in time order. Ticks
  // that fall due at the same moment fire in the order of their due times
  // (the same here), then in the order of the timers in the window table; the
  // platform promises no order of its own there.
  void advance(std::int64_t milliseconds);
  // Time that passes inside the handler now running: no tick is delivered.
  void spend(std::int64_t milliseconds);

  std::int64_t now() const { return now_; }
  std::optional<std::int64_t> next_tick(control timer) const;
  const std::vector<tick_record>& ticks() const { return ticks_; }
  text title() const { return title_; }
  // What the last repaint drew: a caption written and overwritten within one
  // handler never shows here.
  text painted_caption(control label) const;
  int repaints() const { return repaints_; }

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
    text caption, painted;
    std::int32_t top = 0;
    std::int32_t period = 0;
    std::int64_t due = 0;
    std::uint64_t generation = 0;  // changes with every restart of the timer
  };
  control_state& state(control c) { return controls_[static_cast<std::size_t>(c)]; }
  void repaint();

  std::array<control_state, control_count> controls_;
  text title_;
  std::int64_t now_ = 0;
  int repaints_ = 0;
  std::vector<tick_record> ticks_;
};

}  // namespace calc
