// Turns a Win32 key-down message into the calculator's key code and modifier
// state: the keypad digits and operators arrive as their main-keyboard keys.
#pragma once

#include <cstdint>

namespace calc {

struct modifier_keys {
  bool ctrl, shift, alt;
};

std::int32_t key_code_from_virtual_key(unsigned virtual_key);
// The modifiers held as the key went down; the pressed key itself (Ctrl alone,
// say) does not count as held.
std::int32_t modifier_state_from(unsigned virtual_key, modifier_keys held);

}  // namespace calc
