// The key mapping as a table: X11 events with their native fields, and
// synthesised events without them.
#include "window/qt/key_mapping.h"

#include <gtest/gtest.h>

#include <QKeyEvent>

#include "tests/qt/qt_test_support.h"

namespace calc {
namespace {

constexpr auto none = Qt::NoModifier, shift = Qt::ShiftModifier, ctrl = Qt::ControlModifier,
               alt = Qt::AltModifier, keypad = Qt::KeypadModifier;

struct mapping_case {
  const char* what;
  int key;
  Qt::KeyboardModifiers modifiers;
  quint32 x_key_code;  // 0: a synthesised event
  key_press expected;
};

void PrintTo(const mapping_case& c, std::ostream* os) {
  *os << c.what;
}

class key_mapping : public testing::TestWithParam<mapping_case> {};

TEST_P(key_mapping, gives_the_key_code_and_modifier_state) {
  const mapping_case& c = GetParam();
  // The keysym is left out on purpose: it cannot tell the keys apart.
  const QKeyEvent event(QEvent::KeyPress, c.key, c.modifiers, c.x_key_code, 0, 0);
  EXPECT_EQ(map_key_event(event), c.expected);
}

// Codes as the key handler expects them.
constexpr std::int32_t enter = 13, esc = 27, backspace = 8, kp_multiply = 106, kp_plus = 107, oem_minus = 189,
                       oem_period = 190, oem_slash = 191, oem_plus = 187;

INSTANTIATE_TEST_SUITE_P(
    x11_events, key_mapping,
    testing::Values(
        // The number row by its physical key, whatever Shift made of it.
        mapping_case{"8", Qt::Key_8, none, 17, {'8', 0}},
        mapping_case{"Shift+8 arrives as asterisk", Qt::Key_Asterisk, shift, 17, {'8', 2}},
        mapping_case{"0", Qt::Key_0, none, 19, {'0', 0}},
        mapping_case{"Shift+1 arrives as exclamation mark", Qt::Key_Exclam, shift, 10, {'1', 2}},
        mapping_case{"AZERTY 1 key arrives as ampersand", Qt::Key_Ampersand, none, 10, {'1', 0}},
        mapping_case{"slash", Qt::Key_Slash, none, 61, {oem_slash, 0}},
        mapping_case{"Shift+slash arrives as question mark", Qt::Key_Question, shift, 61, {oem_slash, 2}},
        mapping_case{"minus", Qt::Key_Minus, none, 20, {oem_minus, 0}},
        mapping_case{"Shift+minus arrives as underscore", Qt::Key_Underscore, shift, 20, {oem_minus, 2}},
        mapping_case{"equals", Qt::Key_Equal, none, 21, {oem_plus, 0}},
        mapping_case{"Shift+equals arrives as plus", Qt::Key_Plus, shift, 21, {oem_plus, 2}},
        // The keypad by its flag; Num Lock off turns the digits into navigation keys.
        mapping_case{"keypad 7", Qt::Key_7, keypad, 79, {'7', 0}},
        mapping_case{"keypad 7, Num Lock off", Qt::Key_Home, keypad, 79, {36, 0}},
        mapping_case{"keypad 0", Qt::Key_0, keypad, 90, {'0', 0}},
        mapping_case{"keypad 0, Num Lock off", Qt::Key_Insert, keypad, 90, {45, 0}},
        mapping_case{"keypad 5, Num Lock off", Qt::Key_Clear, keypad, 84, {12, 0}},
        mapping_case{"keypad decimal point", Qt::Key_Period, keypad, 91, {oem_period, 0}},
        mapping_case{"keypad decimal point, Num Lock off", Qt::Key_Delete, keypad, 91, {46, 0}},
        mapping_case{"keypad asterisk", Qt::Key_Asterisk, keypad, 63, {kp_multiply, 0}},
        mapping_case{"keypad slash", Qt::Key_Slash, keypad, 106, {oem_slash, 0}},
        mapping_case{"keypad minus", Qt::Key_Minus, keypad, 82, {oem_minus, 0}},
        mapping_case{"keypad plus", Qt::Key_Plus, keypad, 86, {kp_plus, 0}},
        mapping_case{"Shift+keypad plus", Qt::Key_Plus, keypad | shift, 86, {kp_plus, 2}},
        mapping_case{"keypad Enter", Qt::Key_Enter, keypad, 104, {enter, 0}},
        // Letters from the layout, not from their place on the keyboard.
        mapping_case{"j", Qt::Key_J, none, 44, {'J', 0}},
        mapping_case{"Shift+J", Qt::Key_J, shift, 44, {'J', 2}},
        mapping_case{"Dvorak J on the QWERTY C key", Qt::Key_J, none, 54, {'J', 0}},
        mapping_case{"Ctrl+C", Qt::Key_C, ctrl, 54, {'C', 1}},
        mapping_case{"Ctrl+Shift+C", Qt::Key_C, ctrl | shift, 54, {'C', 3}},
        mapping_case{"Alt+Q", Qt::Key_Q, alt, 24, {'Q', 4}},
        mapping_case{"Ctrl+Shift+Alt+K", Qt::Key_K, ctrl | shift | alt, 45, {'K', 7}},
        mapping_case{"Enter", Qt::Key_Return, none, 36, {enter, 0}},
        mapping_case{"Esc", Qt::Key_Escape, none, 9, {esc, 0}},
        mapping_case{"Backspace", Qt::Key_Backspace, none, 22, {backspace, 0}},
        // A modifier key pressed alone does not count itself.
        mapping_case{"Ctrl alone", Qt::Key_Control, ctrl, 37, {17, 0}},
        mapping_case{"Shift alone", Qt::Key_Shift, shift, 50, {16, 0}},
        mapping_case{"Alt alone", Qt::Key_Alt, alt, 64, {18, 0}},
        mapping_case{"Ctrl with Shift held", Qt::Key_Control, ctrl | shift, 37, {17, 2}}),
    case_name<testing::TestParamInfo<mapping_case>>);

INSTANTIATE_TEST_SUITE_P(synthesised_events, key_mapping,
                         testing::Values(
                             // Shifted symbols are read back to their keys as on a US layout.
                             mapping_case{"asterisk", Qt::Key_Asterisk, shift, 0, {'8', 2}},
                             mapping_case{"keypad asterisk", Qt::Key_Asterisk, keypad, 0, {kp_multiply, 0}},
                             mapping_case{"exclamation mark", Qt::Key_Exclam, shift, 0, {'1', 2}},
                             mapping_case{"right parenthesis", Qt::Key_ParenRight, shift, 0, {'0', 2}},
                             mapping_case{"question mark", Qt::Key_Question, shift, 0, {oem_slash, 2}},
                             mapping_case{"underscore", Qt::Key_Underscore, shift, 0, {oem_minus, 2}},
                             mapping_case{"plus off the keypad", Qt::Key_Plus, shift, 0, {oem_plus, 2}},
                             mapping_case{"keypad plus", Qt::Key_Plus, keypad, 0, {kp_plus, 0}},
                             mapping_case{"keypad decimal comma", Qt::Key_Comma, keypad, 0, {oem_period, 0}},
                             mapping_case{"9", Qt::Key_9, none, 0, {'9', 0}},
                             mapping_case{"N is no card key", Qt::Key_N, none, 0, {'N', 0}},
                             mapping_case{"F1", Qt::Key_F1, none, 0, {112, 0}},
                             mapping_case{"Tab", Qt::Key_Tab, none, 0, {9, 0}},
                             mapping_case{"a key without a code", Qt::Key_LaunchMail, none, 0, {0, 0}},
                             mapping_case{"a non-Latin letter", Qt::Key_Eacute, none, 0, {0, 0}}),
                         case_name<testing::TestParamInfo<mapping_case>>);

}  // namespace
}  // namespace calc
