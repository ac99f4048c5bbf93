#include "window/qt/key_mapping.h"

namespace calc {
namespace {

// Virtual-key codes of the keys that have no character of their own.
constexpr std::int32_t vk_shift = 16, vk_control = 17, vk_menu = 18;

// Keys that arrive with the keypad flag. Only the keypad's own keys are
// reported as their main-keyboard counterparts; with Num Lock off the digit
// keys arrive as navigation keys and keep those codes.
std::int32_t keypad_code(int key) {
  if (key >= Qt::Key_0 && key <= Qt::Key_9) return key;
  switch (key) {
    case Qt::Key_Minus:
      return 189;
    case Qt::Key_Period:
    case Qt::Key_Comma:  // the decimal key of layouts with a decimal comma
      return 190;
    case Qt::Key_Slash:
      return 191;
    case Qt::Key_Asterisk:
      return 106;
    case Qt::Key_Plus:
      return 107;
    default:
      return 0;
  }
}

// The number row, the "-", "=" and "/" keys by their X key code, which names
// the physical key whatever Shift or the layout make of it.
std::int32_t physical_code(quint32 x_key_code) {
  if (x_key_code >= 10 && x_key_code <= 18) return static_cast<std::int32_t>('1' + (x_key_code - 10));
  switch (x_key_code) {
    case 19:
      return '0';
    case 20:
      return 189;
    case 21:
      return 187;
    case 61:
      return 191;
    default:
      return 0;
  }
}

// A key by the symbol it produced. Shifted symbols are read back to their
// key as on a US layout, so that a synthesised Shift+8 ("*") is the 8 key.
std::int32_t symbol_code(int key) {
  if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9)) return key;
  if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return 112 + (key - Qt::Key_F1);
  switch (key) {
    case Qt::Key_ParenRight:
      return '0';
    case Qt::Key_Exclam:
      return '1';
    case Qt::Key_At:
      return '2';
    case Qt::Key_NumberSign:
      return '3';
    case Qt::Key_Dollar:
      return '4';
    case Qt::Key_Percent:
      return '5';
    case Qt::Key_AsciiCircum:
      return '6';
    case Qt::Key_Ampersand:
      return '7';
    case Qt::Key_Asterisk:
      return '8';
    case Qt::Key_ParenLeft:
      return '9';
    case Qt::Key_Semicolon:
    case Qt::Key_Colon:
      return 186;
    case Qt::Key_Equal:
    case Qt::Key_Plus:
      return 187;
    case Qt::Key_Comma:
    case Qt::Key_Less:
      return 188;
    case Qt::Key_Minus:
    case Qt::Key_Underscore:
      return 189;
    case Qt::Key_Period:
    case Qt::Key_Greater:
      return 190;
    case Qt::Key_Slash:
    case Qt::Key_Question:
      return 191;
    case Qt::Key_QuoteLeft:
    case Qt::Key_AsciiTilde:
      return 192;
    case Qt::Key_BracketLeft:
    case Qt::Key_BraceLeft:
      return 219;
    case Qt::Key_Backslash:
    case Qt::Key_Bar:
      return 220;
    case Qt::Key_BracketRight:
    case Qt::Key_BraceRight:
      return 221;
    case Qt::Key_Apostrophe:
    case Qt::Key_QuoteDbl:
      return 222;
    case Qt::Key_Space:
      return 32;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return 13;
    case Qt::Key_Escape:
      return 27;
    case Qt::Key_Backspace:
      return 8;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      return 9;
    case Qt::Key_Clear:
      return 12;
    case Qt::Key_Shift:
      return vk_shift;
    case Qt::Key_Control:
      return vk_control;
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
      return vk_menu;
    case Qt::Key_Pause:
      return 19;
    case Qt::Key_CapsLock:
      return 20;
    case Qt::Key_PageUp:
      return 33;
    case Qt::Key_PageDown:
      return 34;
    case Qt::Key_End:
      return 35;
    case Qt::Key_Home:
      return 36;
    case Qt::Key_Left:
      return 37;
    case Qt::Key_Up:
      return 38;
    case Qt::Key_Right:
      return 39;
    case Qt::Key_Down:
      return 40;
    case Qt::Key_Print:
      return 44;
    case Qt::Key_Insert:
      return 45;
    case Qt::Key_Delete:
      return 46;
    case Qt::Key_Meta:
      return 91;
    case Qt::Key_Menu:
      return 93;
    case Qt::Key_NumLock:
      return 144;
    case Qt::Key_ScrollLock:
      return 145;
    default:
      return 0;
  }
}

#ifdef Q_OS_WIN
// Windows already reports the virtual-key code; only the keypad is folded
// onto the main keyboard, and left and right modifier keys count alike.
std::int32_t windows_code(quint32 vk) {
  if (vk >= 96 && vk <= 105) return static_cast<std::int32_t>(vk - 96 + '0');
  switch (vk) {
    case 109:
      return 189;
    case 110:
      return 190;
    case 111:
      return 191;
    case 160:
    case 161:
      return vk_shift;
    case 162:
    case 163:
      return vk_control;
    case 164:
    case 165:
      return vk_menu;
    default:
      return static_cast<std::int32_t>(vk);
  }
}
#endif

std::int32_t key_code_of(const QKeyEvent& event) {
  const int key = event.key();
#ifdef Q_OS_WIN
  if (event.nativeVirtualKey() != 0) return windows_code(event.nativeVirtualKey());
#endif
  if (event.modifiers() & Qt::KeypadModifier) {
    if (key == Qt::Key_Enter || key == Qt::Key_Return) return 13;
    if (key < Qt::Key_Escape) return keypad_code(key);  // a printing key of the keypad
    return symbol_code(key);                            // navigation keys (Num Lock off) keep their own codes
  }
#ifndef Q_OS_WIN
  if (const std::int32_t code = physical_code(event.nativeScanCode())) return code;
#endif
  return symbol_code(key);
}

}  // namespace

key_press map_key_event(const QKeyEvent& event) {
  const std::int32_t code = key_code_of(event);
  const Qt::KeyboardModifiers held = event.modifiers();
  std::int32_t state = 0;
  // A modifier key pressed alone does not count itself.
  if ((held & Qt::ControlModifier) && code != vk_control) state += ctrl_state;
  if ((held & Qt::ShiftModifier) && code != vk_shift) state += shift_state;
  if ((held & Qt::AltModifier) && code != vk_menu) state += alt_state;
  return {code, state};
}

}  // namespace calc
