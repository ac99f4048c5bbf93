// The calculator's handlers and globals: card entry and key commands, the
// calculation run, the help strip, start-up and shut-down. They work on the
// window only through the view operations.
#pragma once

#include <cstdint>

#include "notation/text.h"
#include "window/description.h"

namespace calc {

// The card mode: the largest buffer length, in bytes, that appending may reach.
constexpr std::int32_t eight_card_limit = 16;
constexpr std::int32_t ten_card_limit = 20;
extern std::int32_t buffer_limit;

// The help strip's messages and how many of them the current cycle has shown.
extern text_list messages;
extern std::int32_t message_index;

// Window events.
void handle_window_ready();
void handle_key_down(std::int32_t key_code, std::int32_t modifier_state);
void handle_display_tick();
void handle_slide_tick();
void handle_pause_tick();
// The tick handler of a timer control.
void deliver_tick(control timer);

// Card entry.
void append_card(const text& token);
void delete_last_card();
void clear_cards();
void refresh_input_display(const text& buffer_text);
void show_card_total(const text& number_text);
void switch_card_mode();

// Calculation run.
void run_calculation();

// Help strip.
constexpr std::int32_t display_period = 3000, slide_period = 100, pause_period = 3000, at_once_period = 1;
constexpr std::int32_t strip_entry_top = 16, strip_rest_top = 0;
void start_message_strip();

// Start-up and shut-down. The platform's side of start-up: a backend brings
// up its services, loads the window (raising the window-created event before
// the window first shows) and runs the event loop until the window closes.
class window_platform {
 public:
  virtual ~window_platform() = default;
  virtual bool initialise_services() = 0;
  virtual bool load_window() = 0;
  virtual void run_event_loop() = 0;
};
// Returns the process status: 0 after the window was closed; non-zero, with
// a line on standard error, when the window could not be had.
int start_program(window_platform& platform);
void init_globals();
void release_globals();
// Exit routines run once each when the program ends, in the order of
// registration; registering one twice keeps the first registration.
void register_exit_routine(void (*routine)());

}  // namespace calc
