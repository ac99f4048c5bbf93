#include "notation/card_text.h"

namespace calc {

text convert_card_text(const text& t, std::int32_t direction) {
  if (direction == 1) {
    text r = replace_all(t, "10", "N");
    r = replace_all(r, "11", "J");
    r = replace_all(r, "12", "Q");
    return replace_all(r, "13", "K");
  }
  text r = replace_all(t, "N", "10");
  r = replace_all(r, "J", "11");
  r = replace_all(r, "Q", "12");
  return replace_all(r, "K", "13");
}

namespace {

bool is_digit(char c) {
  return c >= '0' && c <= '9';
}

}  // namespace

text to_display_notation(const text& number_text) {
  // A result list can run to tens of kilobytes, so the five replacements are
  // done in one pass where that gives the same text: in plain ASCII whose
  // digit runs are at most two long, every replacement hits a whole run (or
  // an "N"), and no replacement makes a new match for a later one.
  const std::size_t n = number_text.size();
  const char* const in = number_text.data();
  text display(2 * n, '\0');  // only "N" grows, to "10"
  char* out = display.data();
  std::size_t i = 0;
  while (i < n) {
    const char c = in[i];
    if (static_cast<unsigned char>(c) >= 0x80) break;
    if (c == 'N') {
      *out++ = '1';
      *out++ = '0';
      ++i;
    } else if (!is_digit(c) || i + 1 == n || !is_digit(in[i + 1])) {
      *out++ = c;
      ++i;
    } else if (i + 2 < n && is_digit(in[i + 2])) {
      break;
    } else if (c == '1' && in[i + 1] >= '1' && in[i + 1] <= '3') {
      *out++ = "JQK"[in[i + 1] - '1'];
      i += 2;
    } else {
      *out++ = c;
      *out++ = in[i + 1];
      i += 2;
    }
  }
  if (i < n) {
    // Longer digit runs and two-byte characters take the replacements one by one.
    return replace_all(convert_card_text(number_text, 1), "N", "10");
  }
  display.resize(static_cast<std::size_t>(out - display.data()));
  return display;
}

}  // namespace calc
