#include "window/memory_window.h"

#include "notation/gbk.h"
#include "window/fixed_texts.h"

namespace calc {

void memory_clipboard::install() {
  set_clipboard_writer([this](const text& t) {
    if (!can_open) return false;
    contents = t;
    holds_text = true;
    return true;
  });
}

memory_window::memory_window() {
  for (const control_description& d : window_description()) {
    control_state& s = state(d.id);
    s.caption = gbk_from_utf8(d.starting_caption);
    s.top = d.top;
  }
}

memory_window::~memory_window() {
  if (installed_window() == this) install_window(nullptr);
}

bool memory_window::load_window() {
  install_window(this);
  title_ = fixed_texts().title_eight_cards;
  handle_window_ready();
  repaint();
  return true;
}

void memory_window::press_key(std::int32_t key_code, std::int32_t modifier_state) {
  handle_key_down(key_code, modifier_state);
  repaint();
}

void memory_window::advance(std::int64_t milliseconds) {
  const std::int64_t until = now_ + milliseconds;
  for (;;) {
    control_state* next = nullptr;
    control next_timer{};
    for (const control_description& d : window_description()) {
      control_state& s = state(d.id);
      if (d.kind == control_kind::timer && s.period > 0 && s.due <= until && (!next || s.due < next->due)) {
        next = &s;
        next_timer = d.id;
      }
    }
    if (!next) break;
    // A tick that fell due while a handler ran comes once, late.
    if (next->due > now_) now_ = next->due;
    const std::int64_t fired_at = now_;
    const std::uint64_t generation = next->generation;
    ticks_.push_back({fired_at, next_timer});
    deliver_tick(next_timer);
    if (next->generation == generation) next->due = fired_at + next->period;
    repaint();
  }
  if (until > now_) now_ = until;
}

void memory_window::spend(std::int64_t milliseconds) { now_ += milliseconds; }

std::optional<std::int64_t> memory_window::next_tick(control timer) const {
  const control_state& s = controls_[static_cast<std::size_t>(timer)];
  if (s.period <= 0) return std::nullopt;
  return s.due;
}

text memory_window::painted_caption(control label) const { return controls_[static_cast<std::size_t>(label)].painted; }

text memory_window::caption(control label) { return state(label).caption; }

void memory_window::set_caption(control label, const text& caption) { state(label).caption = caption; }

void memory_window::set_title(const text& title) { title_ = title; }

std::int32_t memory_window::top(control label) { return state(label).top; }

void memory_window::set_top(control label, std::int32_t top) { state(label).top = top; }

std::int32_t memory_window::period(control timer) { return state(timer).period; }

void memory_window::restart_timer(control timer, std::int32_t period) {
  control_state& s = state(timer);
  s.period = period;
  s.due = now_ + period;
  ++s.generation;
}

void memory_window::repaint() {
  ++repaints_;
  for (const control_description& d : window_description()) {
    if (d.kind == control_kind::label && d.shown) state(d.id).painted = state(d.id).caption;
  }
}

}  // namespace calc
