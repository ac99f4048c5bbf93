// Turns a Qt key event into the key code and modifier state that the key
// handler works with: virtual-key codes, with the keypad keys reported as
// their main-keyboard counterparts.
#pragma once

#include <QKeyEvent>
#include <cstdint>

namespace calc {

struct key_press {
  std::int32_t key_code;        // 0: a key the handler has no use for
  std::int32_t modifier_state;  // Ctrl 1 + Shift 2 + Alt 4
  bool operator==(const key_press&) const = default;
};

constexpr std::int32_t ctrl_state = 1, shift_state = 2, alt_state = 4;

// Pure: reads only the event's fields. On X11 the physical key comes from the
// X key code (nativeScanCode); synthesised events without native fields are
// read as typed on a US layout.
key_press map_key_event(const QKeyEvent& event);

}  // namespace calc
