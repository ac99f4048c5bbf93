#include "window/win32/key_mapping.h"

#include <windows.h>

namespace calc {

std::int32_t key_code_from_virtual_key(unsigned virtual_key) {
  if (virtual_key >= VK_NUMPAD0 && virtual_key <= VK_NUMPAD9)
    return '0' + static_cast<int>(virtual_key - VK_NUMPAD0);
  switch (virtual_key) {
    case VK_SUBTRACT:
      return VK_OEM_MINUS;
    case VK_DECIMAL:
      return VK_OEM_PERIOD;
    case VK_DIVIDE:
      return VK_OEM_2;
    default:
      return static_cast<std::int32_t>(virtual_key);
  }
}

std::int32_t modifier_state_from(unsigned virtual_key, modifier_keys held) {
  const bool is_ctrl = virtual_key == VK_CONTROL || virtual_key == VK_LCONTROL || virtual_key == VK_RCONTROL;
  const bool is_shift = virtual_key == VK_SHIFT || virtual_key == VK_LSHIFT || virtual_key == VK_RSHIFT;
  const bool is_alt = virtual_key == VK_MENU || virtual_key == VK_LMENU || virtual_key == VK_RMENU;
  std::int32_t state = 0;
  if (held.ctrl && !is_ctrl) state += 1;
  if (held.shift && !is_shift) state += 2;
  if (held.alt && !is_alt) state += 4;
  return state;
}

}  // namespace calc
