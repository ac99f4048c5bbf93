// Start-up and shut-down.
#include <cstdio>
#include <cstdlib>

#include "solver/combinations.h"
#include "window/program.h"

namespace calc {
namespace {

// Plain storage without a destructor: it must outlive every other static,
// since the routines run from the process's own exit handling.
constexpr int max_exit_routines = 16;
void (*exit_routines[max_exit_routines])() = {};
int exit_routine_count = 0;

void run_exit_routines() {
  const int count = exit_routine_count;
  exit_routine_count = 0;  // each routine runs once, even if one of them ends the program
  for (int i = 0; i < count; ++i) exit_routines[i]();
}

}  // namespace

void register_exit_routine(void (*routine)()) {
  static const bool hooked = std::atexit(run_exit_routines) == 0;
  (void)hooked;
  for (int i = 0; i < exit_routine_count; ++i) {
    if (exit_routines[i] == routine) return;
  }
  if (exit_routine_count < max_exit_routines) exit_routines[exit_routine_count++] = routine;
}

void init_globals() {
  combo_slots = make_integer_list(combo_slot_count);
  messages = make_text_list(1);
}

void release_globals() {
  combo_slots = integer_list();
  messages = text_list();
}

void handle_window_ready() {
  buffer_limit = eight_card_limit;
  start_message_strip();
}

int start_program(window_platform& platform) {
  if (!platform.initialise_services()) {
    std::fprintf(stderr, "card-calculator: the window services could not be started\n");
    return EXIT_FAILURE;
  }
  init_globals();
  register_exit_routine(release_globals);
  if (!platform.load_window()) {
    std::fprintf(stderr, "card-calculator: the calculator window could not be opened\n");
    return EXIT_FAILURE;
  }
  platform.run_event_loop();
  return 0;
}

}  // namespace calc
