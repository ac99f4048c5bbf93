#include "notation/card_text.h"

namespace calc {
namespace {

bool is_digit(char c) {
  return c >= '0' && c <= '9';
}

// Texts are walked by character, as replace_all walks them: a byte of 0x80 or
// above starts a two-byte character (one byte when cut off at the end).
bool starts_two_byte_character(const text& t, std::size_t at) {
  return static_cast<unsigned char>(t[at]) >= 0x80 && at + 1 < t.size();
}

// The four replacements towards letters, one after the other.
text digits_to_letters_step_by_step(const text& digits) {
  text r = replace_all(digits, "10", "N");
  r = replace_all(r, "11", "J");
  r = replace_all(r, "12", "Q");
  return replace_all(r, "13", "K");
}

// Towards letters the four replacements only ever match digits, so they act
// on each run of digits separately, and a run of one or two digits is a whole
// number. With ten_in_digits, every N is then written "10" again (display
// notation), which for a run of digits means leaving the ten alone.
text numbers_to_letters(const text& t, bool ten_in_digits) {
  const std::size_t n = t.size();
  const char* const in = t.data();
  text converted(ten_in_digits ? 2 * n : n, '\0');  // only an N written as "10" grows
  char* out = converted.data();
  std::size_t i = 0;
  while (i < n) {
    const char c = in[i];
    if (!is_digit(c)) {
      if (ten_in_digits && c == 'N') {
        *out++ = '1';
        *out++ = '0';
      } else {
        *out++ = c;
        if (starts_two_byte_character(t, i)) *out++ = in[++i];
      }
      ++i;
    } else if (i + 1 == n || !is_digit(in[i + 1])) {
      *out++ = c;
      ++i;
    } else if (i + 2 == n || !is_digit(in[i + 2])) {
      const char d = in[i + 1];
      if (c == '1' && d >= '1' && d <= '3') {
        *out++ = "JQK"[d - '1'];
      } else if (c == '1' && d == '0' && !ten_in_digits) {
        *out++ = 'N';
      } else {
        *out++ = c;
        *out++ = d;
      }
      i += 2;
    } else {
      std::size_t end = i + 3;
      while (end < n && is_digit(in[end])) ++end;
      text letters = digits_to_letters_step_by_step(t.substr(i, end - i));
      if (ten_in_digits) letters = replace_all(letters, "N", "10");
      for (const char l : letters) *out++ = l;
      i = end;
    }
  }
  converted.resize(static_cast<std::size_t>(out - converted.data()));
  return converted;
}

}  // namespace

// Both directions give what their four replace_all steps give, in one pass.
// Towards numbers, no inserted value holds a letter, so every N, J, Q and K
// that stands as a character of its own simply becomes its value.
text convert_card_text(const text& t, std::int32_t direction) {
  if (direction == 1) return numbers_to_letters(t, false);
  const std::size_t n = t.size();
  const char* const in = t.data();
  text converted(2 * n, '\0');  // a letter becomes two digits
  char* out = converted.data();
  for (std::size_t i = 0; i < n; ++i) {
    const char c = in[i];
    const char* value = c == 'N' ? "10" : c == 'J' ? "11" : c == 'Q' ? "12" : c == 'K' ? "13" : nullptr;
    if (value) {
      *out++ = value[0];
      *out++ = value[1];
    } else {
      *out++ = c;
      if (starts_two_byte_character(t, i)) *out++ = in[++i];
    }
  }
  converted.resize(static_cast<std::size_t>(out - converted.data()));
  return converted;
}

// The same as replace_all(convert_card_text(number_text, 1), "N", "10"):
// a two-byte character hides the same bytes from both steps.
text to_display_notation(const text& number_text) {
  return numbers_to_letters(number_text, true);
}

}  // namespace calc
